#pragma once

class QCoreApplication;

// What the client does at start-up before and right after its application object exists.
namespace Inicio {

// Answers on the terminal what needs no window: "--help", "--version", and the lack of a
// graphical session (Qt would only abort with its own English message). Returns the exit status
// when the program must stop here, -1 when it goes on to open its window.
int AtenderNoTerminal(int argc, char** argv);

// Qt's own texts (standard buttons, the file dialog, context menus) in Brazilian Portuguese, from
// Qt's translation (Debian's qt6-translations-l10n). False when it is not installed.
bool CarregarTraducaoQt(QCoreApplication& app);

} // namespace Inicio
