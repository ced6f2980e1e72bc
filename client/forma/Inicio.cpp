#include "Inicio.h"

#include "Versao.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Inicio {
namespace {
constexpr char kAjuda[] = "Uso: quarpel [servidor HOST]\n"
                          "Cliente de Truco do Quarpel: joga no servidor HOST, porta 33500.\n"
                          "\n"
                          "  servidor HOST  usa o servidor em HOST (sem isso: localhost)\n"
                          "  --help         mostra esta ajuda e sai\n"
                          "  --version      mostra a versão e sai\n";

constexpr char kSemTela[] =
    "O Quarpel precisa de uma sessão gráfica, e nenhuma foi encontrada (DISPLAY e "
    "WAYLAND_DISPLAY estão vazias).\n"
    "Rode-o numa sessão gráfica ou, sem tela, num servidor X virtual:\n"
    "  xvfb-run -a quarpel\n";

bool Vazia(const char* variavel)
{
    const char* valor = std::getenv(variavel);
    return !valor || !*valor;
}
} // namespace

int AtenderNoTerminal(int argc, char** argv)
{
    bool plataforma = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kAjuda, stdout);
            return EXIT_SUCCESS;
        }
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::printf("Quarpel %s\n", kVersaoQuarpel);
            return EXIT_SUCCESS;
        }
        plataforma = plataforma || !std::strcmp(argv[i], "-platform");
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!plataforma && Vazia("DISPLAY") && Vazia("WAYLAND_DISPLAY") && Vazia("QT_QPA_PLATFORM")) {
        std::fputs(kSemTela, stderr);
        return EXIT_FAILURE;
    }
#else
    (void)plataforma;
#endif
    return -1;
}

bool CarregarTraducaoQt(QCoreApplication& app)
{
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brasil);
    auto* traducao = new QTranslator(&app);
    if (!traducao->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducao;
        return false;
    }
    return QCoreApplication::installTranslator(traducao);
}

} // namespace Inicio
