#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Every message box, input box and file dialog of the client goes through here, so that tests can
// record and answer them instead of blocking. Each is centred on the program's window.
namespace Caixas {

enum class Tipo
{
    Informacao, // information icon, OK, title "Quarpel"
    Relatorio,  // no icon, OK, title "Quarpel": the failure report, "Acabou a rodada"
    Erro,       // critical icon, title "Erro": a fault of the program itself
    Entrada,    // password prompt, typed text masked: the answer, none when cancelled
    Arquivo,    // file-open dialog: the answer is the chosen path, "" when cancelled
    Pergunta,   // question icon, Yes and No, title "Quarpel": any answer is Yes, none No
};

struct Caixa
{
    Tipo tipo;
    QString titulo;
    QString texto;  // the text, or the prompt of an input box
    QString filtro; // file dialogs only
};

// Receives every box instead of showing it and returns its answer (ignored for plain boxes;
// std::nullopt cancels an input box).
using Interceptador = std::function<std::optional<QString>(const Caixa&)>;
void SetInterceptador(Interceptador interceptador);

// The window the boxes belong to and are centred on; while one of its dialogs is open, that
// dialog. The main window names itself here when it is built.
void SetJanela(QWidget* janela);

void Informar(const QString& texto);
void Relatar(const QString& texto);
void Erro(const QString& texto);
// True when the player answered Yes; No is the default button.
bool Perguntar(const QString& texto);
// The typed password, or std::nullopt when the player cancelled.
std::optional<QString> PedirSenha(const QString& pergunta,
                                  const QString& titulo = QStringLiteral("Quarpel"));
// filtro in the form "Imagens (*.bmp *.jpg *.gif)".
QString EscolherArquivo(const QString& titulo, const QString& filtro);

} // namespace Caixas
