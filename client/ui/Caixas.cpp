#include "Caixas.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace Caixas {
namespace {
Interceptador& interceptador()
{
    static Interceptador i;
    return i;
}

QString mostrar(const Caixa& c)
{
    if (interceptador())
        return interceptador()(c);
    QWidget* pai = QApplication::activeWindow();
    switch (c.tipo) {
    case Tipo::Informacao:
        QMessageBox(QMessageBox::Information, c.titulo, c.texto, QMessageBox::Ok, pai).exec();
        return {};
    case Tipo::Relatorio:
        QMessageBox(QMessageBox::NoIcon, c.titulo, c.texto, QMessageBox::Ok, pai).exec();
        return {};
    case Tipo::Erro:
        QMessageBox(QMessageBox::Critical, c.titulo, c.texto, QMessageBox::Ok, pai).exec();
        return {};
    case Tipo::Entrada:
        return QInputDialog::getText(pai, c.titulo, c.texto);
    case Tipo::Arquivo:
        return QFileDialog::getOpenFileName(pai, c.titulo, QString(), c.filtro);
    }
    return {};
}
} // namespace

void SetInterceptador(Interceptador i) { interceptador() = std::move(i); }

void Informar(const QString& texto)
{
    mostrar({Tipo::Informacao, QStringLiteral("Quarpel"), texto, {}});
}

void Relatar(const QString& texto) { mostrar({Tipo::Relatorio, QStringLiteral("Quarpel"), texto, {}}); }

void Erro(const QString& texto) { mostrar({Tipo::Erro, QStringLiteral("Erro"), texto, {}}); }

QString PedirTexto(const QString& pergunta, const QString& titulo)
{
    return mostrar({Tipo::Entrada, titulo, pergunta, {}});
}

QString EscolherArquivo(const QString& titulo, const QString& filtro)
{
    return mostrar({Tipo::Arquivo, titulo, {}, filtro});
}

} // namespace Caixas
