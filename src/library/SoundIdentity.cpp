#include "library/SoundIdentity.h"

#include "store/SoundStore.h"

#include <QCryptographicHash>

namespace sondrake::library {

QByteArray contentHash(const SoundDump& dump)
{
    const char* bytes = reinterpret_cast<const char*>(dump.data());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(bytes, kLocationBankByte));
    hash.addData(QByteArrayView(bytes + kLocationProgramByte + 1, qsizetype(kNameOffset - kLocationProgramByte - 1)));
    hash.addData(QByteArrayView(bytes + kNameOffset + kNameLength, qsizetype(kDumpSize - kNameOffset - kNameLength)));
    return hash.result();
}

bool isSoundRecord(const SoundDump& dump) { return dump.front() == 0xF0 && dump.back() == 0xF7; }

QString soundName(const SoundDump& dump)
{
    const std::string name = readName(dump);
    QString text = QString::fromLatin1(name.data(), qsizetype(name.size()));
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

SoundDump withName(SoundDump dump, const QString& name)
{
    if (soundName(dump) != name)
        writeName(dump, name.toLatin1().toStdString());
    return dump;
}

} // namespace sondrake::library
