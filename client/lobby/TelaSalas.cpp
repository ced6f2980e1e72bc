#include "TelaSalas.h"

#include "Twips.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

TelaSalas::TelaSalas(QWidget* pai)
    : QWidget(pai), lbSlSalas(new QLabel(QStringLiteral("Salas:"), this)),
      ltSlSalas(new QTreeWidget(this)),
      lbSlJogadores(new QLabel(QStringLiteral("Jogadores On-Line:"), this)),
      ltSlJogadores(new QListWidget(this)),
      btSlCriarSala(new QPushButton(QStringLiteral("&Criar Sala"), this)),
      btSlEntrar(new QPushButton(QStringLiteral("&Entrar"), this)),
      btSlImagem(new QPushButton(QStringLiteral("Editar Perfil"), this))
{
    setObjectName(QStringLiteral("frSalas"));

    ltSlSalas->setColumnCount(3);
    ltSlSalas->setHeaderLabels(
        {QStringLiteral("Sala"), QStringLiteral("Jogadores"), QStringLiteral("Senha")});
    ltSlSalas->setRootIsDecorated(false);
    ltSlSalas->setItemsExpandable(false);
    ltSlSalas->header()->setStretchLastSection(false);
    for (int c = 0; c < 3; ++c)
        ltSlSalas->setColumnWidth(c, Twips::ParaPx(2540));

    Twips::Posicionar(lbSlSalas, 60, 60, 2000, 225);
    Twips::Posicionar(ltSlSalas, 60, 300, 7155, 4815);
    Twips::Posicionar(lbSlJogadores, 7260, 60, 1995, 225);
    Twips::Posicionar(ltSlJogadores, 7260, 300, 1995, 4800);
    Twips::Posicionar(btSlCriarSala, 60, 5220, 915, 315);
    Twips::Posicionar(btSlEntrar, 1020, 5220, 915, 315);
    Twips::Posicionar(btSlImagem, 7980, 5220, 1275, 315);
}
