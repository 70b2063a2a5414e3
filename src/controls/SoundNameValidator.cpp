#include "controls/SoundNameValidator.h"

#include "store/SoundName.h"

#include <algorithm>

namespace sondrake {

QString SoundNameValidator::storable(const QString& text)
{
    const std::string bytes = storableName(text.toStdU32String());
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

QValidator::State SoundNameValidator::validate(QString& input, int& pos) const
{
    const QString stored = storable(input);
    if (stored != input) {
        // A character of two UTF-16 units becomes one: the cursor keeps its
        // place after the characters before it.
        pos = int(storable(input.left(pos)).size());
        input = stored;
    }
    pos = std::clamp(pos, 0, int(input.size()));
    return Acceptable;
}

void SoundNameValidator::fixup(QString& input) const { input = storable(input); }

} // namespace sondrake
