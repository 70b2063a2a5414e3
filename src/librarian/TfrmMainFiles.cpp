// Bank files, the autoload file, the settings file and the closing sequence.
#include "librarian/TfrmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>

namespace sondrake {

QString TfrmMain::settingsFilePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath("halvorne_q-lindorn.ini");
}

void TfrmMain::LoadFromfilepatchlist1Click() {}
void TfrmMain::SavetofileSoundBanks1Click() {}
void TfrmMain::SavetoseparatefileSoundBanks1Click() {}
void TfrmMain::Settings2Click() {}
void TfrmMain::ReadSettings()
{
    store_.resetSoundNames();
    RebuildList();
}
void TfrmMain::WriteSettings() {}
bool TfrmMain::LoadBankFile(const QString&) { return false; }
bool TfrmMain::SaveBankFile(const QString&) { return false; }
bool TfrmMain::FormCloseQuery() { return true; }
void TfrmMain::closeEvent(QCloseEvent* event) { event->accept(); }

} // namespace sondrake
