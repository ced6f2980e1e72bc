#include "JogadorDeTeste.h"

#include "CaixaFigura.h"
#include "EsperarAte.h"
#include "MovePBs.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCriarSala.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

JogadorDeTeste::JogadorDeTeste(frmCliente& cliente)
    : m_cliente(cliente), m_tratadas(&cliente, &frmCliente::Tratada)
{
}

bool JogadorDeTeste::Entrar(const QString& login, const QString& senha)
{
    if (!EsperarAte([&] { return m_cliente.isVisible() || Espera::Encerrando(); }))
        return false;
    m_login = login;
    m_cliente.frLogin->txLgLogin->setText(login);
    m_cliente.frLogin->txLgSenha->setText(senha);
    // The login waits for the server's answer inside the click.
    m_cliente.frLogin->btLgOK->click();
    return m_cliente.FrameAtual == m_cliente.frSalas;
}

bool JogadorDeTeste::CriarSala(const QString& nome)
{
    QTimer::singleShot(0, &m_cliente, [nome] {
        if (auto* d = qobject_cast<frmCriarSala*>(QApplication::activeModalWidget())) {
            d->txNome->setText(nome);
            d->btOK->click();
        }
    });
    m_cliente.frSalas->btSlCriarSala->click();
    return m_cliente.FrameAtual == m_cliente.frJogo;
}

bool JogadorDeTeste::EntrarNaSala(const QString& nome, int ms)
{
    QTreeWidget* salas = m_cliente.frSalas->ltSlSalas;
    const auto sala = [&] { return salas->findItems(nome, Qt::MatchExactly, 0).value(0); };
    if (!EsperarAte([&] { return sala() != nullptr; }, ms))
        return false;
    salas->setCurrentItem(sala());
    m_cliente.frSalas->btSlEntrar->click();
    return EsperarAte([&] { return m_cliente.FrameAtual == m_cliente.frJogo; }, ms);
}

bool JogadorDeTeste::JogarAteOFim(int ms)
{
    TelaJogo* t = m_cliente.frJogo;
    t->Movimentos().tmTimer()->setInterval(1000 * 1000 * 1000);
    const auto fim = [&] { return m_tratadas.contains(QVariantList{QByteArray("jgFim")}); };
    return EsperarAte([&] { return Agir(), fim() || Espera::Encerrando(); }, ms) && fim();
}

void JogadorDeTeste::Agir()
{
    TelaJogo* t = m_cliente.frJogo;
    MovePBs& mov = t->Movimentos();
    // A reaction resumes on an event after its moves end: step until nothing moves, and leave
    // the rest to the next pass.
    for (int k = 0; k < 2000 && mov.Count() > 0; ++k)
        mov.Tick();
    if (m_cliente.FrameAtual != t)
        return;
    if (!t->btJgAceitar->isHidden())
        return t->btJgAceitar->click();
    QString vez; // unset before the first deal
    try {
        vez = m_cliente.Variaveis(QStringLiteral("Vez"));
    } catch (const std::exception&) {
    }
    if (!t->TagTruco.isEmpty() || vez != m_login)
        return;
    for (int i = 1; i <= 3; ++i)
        if (t->pbJgCarta[i]->Tag().isEmpty() && !t->pbJgCarta[i]->isHidden()) {
            QTest::mousePress(t->pbJgCarta[i], Qt::LeftButton);
            ++m_jogadas;
            return;
        }
}
