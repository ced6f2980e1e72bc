#pragma once

#include <QString>
#include <functional>

// Every message box, input box and file dialog of the client goes through here, so that tests can
// record and answer them instead of blocking.
namespace Caixas {

enum class Tipo {
    Informacao, // information icon, OK, title "Quarpel"
    Relatorio,  // no icon, OK, title "Quarpel": the failure report, "Acabou a rodada"
    Erro,       // critical icon, title "Erro": a fault of the program itself
    Entrada,    // input box: the answer is the typed text, "" when cancelled
    Arquivo,    // file-open dialog: the answer is the chosen path, "" when cancelled
};

struct Caixa
{
    Tipo tipo;
    QString titulo;
    QString texto;  // the text, or the prompt of an input box
    QString filtro; // file dialogs only
};

// Receives every box instead of showing it and returns its answer (ignored for plain boxes).
using Interceptador = std::function<QString(const Caixa&)>;
void SetInterceptador(Interceptador interceptador);

void Informar(const QString& texto);
void Relatar(const QString& texto);
void Erro(const QString& texto);
QString PedirTexto(const QString& pergunta, const QString& titulo = QStringLiteral("Quarpel"));
// filtro in the form "Imagens (*.bmp *.jpg *.gif)".
QString EscolherArquivo(const QString& titulo, const QString& filtro);

} // namespace Caixas
