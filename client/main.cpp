#include "CPacker.h"
#include "Caixas.h"
#include "Espera.h"
#include "Inicio.h"
#include "frmCliente.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (const int status = Inicio::AtenderNoTerminal(argc, argv); status >= 0)
        return status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarpel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quarpel.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("quarpel"));
    if (!Inicio::CarregarTraducaoQt(app))
        std::fputs("Aviso: a tradução do Qt (qtbase_pt_BR.qm) não foi encontrada; os diálogos "
                   "do Qt aparecerão em inglês. Instale o pacote qt6-translations-l10n.\n",
                   stderr);

    // A fault of the program itself: say so and stop at once, before any other handler runs.
    CPacker::Global().SetTratadorFalha([](const QString& texto) {
        Caixas::Erro(texto);
        std::quick_exit(EXIT_FAILURE);
    });

    frmCliente janela(QApplication::arguments().mid(1));
    janela.Form_Load();
    // The load ends the program only when no server was found.
    if (Espera::Encerrando())
        return EXIT_FAILURE;
    janela.show();
    return QApplication::exec();
}
