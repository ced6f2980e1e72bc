#include "CPacker.h"
#include "Caixas.h"
#include "Espera.h"
#include "frmCliente.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarpel"));

    // A fault of the program itself: say so and stop at once, before any other handler runs.
    CPacker::Global().SetTratadorFalha([](const QString& texto) {
        Caixas::Erro(texto);
        std::quick_exit(EXIT_FAILURE);
    });

    frmCliente janela(QApplication::arguments().mid(1));
    janela.Form_Load();
    if (Espera::Encerrando())
        return EXIT_SUCCESS;
    janela.show();
    return QApplication::exec();
}
