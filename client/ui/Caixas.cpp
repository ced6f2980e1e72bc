#include "Caixas.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

namespace Caixas {
namespace {
Interceptador& interceptador()
{
    static Interceptador i;
    return i;
}

QPointer<QWidget>& janela()
{
    static QPointer<QWidget> j;
    return j;
}

// Whichever window happens to be active may be none, or another program's: a box parented to it
// can open anywhere on the screen, away from the game.
QWidget* Pai()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && janela() && modal->parentWidget() == janela())
        return modal;
    return janela() ? janela().data() : QApplication::activeWindow();
}

std::optional<QString> mostrar(const Caixa& c)
{
    if (interceptador())
        return interceptador()(c);
    QWidget* pai = Pai();
    const auto caixa = [&](QMessageBox::Icon icone) {
        QMessageBox mensagem(icone, c.titulo, c.texto, QMessageBox::Ok, pai);
        // Reasons and names come from the server and other players: never read as markup.
        mensagem.setTextFormat(Qt::PlainText);
        mensagem.exec();
        return std::optional<QString>();
    };
    switch (c.tipo) {
    case Tipo::Informacao:
        return caixa(QMessageBox::Information);
    case Tipo::Relatorio:
        return caixa(QMessageBox::NoIcon);
    case Tipo::Erro:
        return caixa(QMessageBox::Critical);
    case Tipo::Pergunta: {
        QMessageBox mensagem(QMessageBox::Question, c.titulo, c.texto,
                             QMessageBox::Yes | QMessageBox::No, pai);
        mensagem.setTextFormat(Qt::PlainText);
        mensagem.setDefaultButton(QMessageBox::No);
        if (mensagem.exec() != QMessageBox::Yes)
            return std::nullopt;
        return QString();
    }
    case Tipo::Entrada: {
        bool ok = false;
        const QString texto =
            QInputDialog::getText(pai, c.titulo, c.texto, QLineEdit::Password, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return texto;
    }
    case Tipo::Arquivo:
        return QFileDialog::getOpenFileName(pai, c.titulo, QString(), c.filtro);
    }
    return {};
}
} // namespace

void SetInterceptador(Interceptador i)
{
    interceptador() = std::move(i);
}

void SetJanela(QWidget* j)
{
    janela() = j;
}

void Informar(const QString& texto)
{
    mostrar({Tipo::Informacao, QStringLiteral("Quarpel"), texto, {}});
}

void Relatar(const QString& texto)
{
    mostrar({Tipo::Relatorio, QStringLiteral("Quarpel"), texto, {}});
}

void Erro(const QString& texto)
{
    mostrar({Tipo::Erro, QStringLiteral("Erro"), texto, {}});
}

bool Perguntar(const QString& texto)
{
    return mostrar({Tipo::Pergunta, QStringLiteral("Quarpel"), texto, {}}).has_value();
}

std::optional<QString> PedirSenha(const QString& pergunta, const QString& titulo)
{
    return mostrar({Tipo::Entrada, titulo, pergunta, {}});
}

QString EscolherArquivo(const QString& titulo, const QString& filtro)
{
    return mostrar({Tipo::Arquivo, titulo, {}, filtro}).value_or(QString());
}

} // namespace Caixas
