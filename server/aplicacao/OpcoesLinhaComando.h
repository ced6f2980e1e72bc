#pragma once

#include "Configuracao.h"

#include <QString>
#include <QStringList>

// The server's command line: reads the options into a Configuracao, or says what to print
// instead (help, version, or what is wrong).
class OpcoesLinhaComando
{
public:
    enum class Acao
    {
        Executar,
        Ajuda,
        Versao,
        Erro
    };

    struct Resultado
    {
        Acao acao = Acao::Executar;
        Configuracao configuracao;
        QString texto;
    };

    // argumentos includes the program name first, as QCoreApplication::arguments() gives it.
    static Resultado Analisar(const QStringList& argumentos);
};
