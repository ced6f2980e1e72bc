#pragma once

#include "Caixas.h"

#include <QList>
#include <functional>

// Records every box the client shows instead of showing it. A test may act while a box is "open"
// (send more data, close the connection) through aoMostrar, which runs before the box returns.
class CaixasGravadas
{
public:
    CaixasGravadas();
    ~CaixasGravadas();

    QList<Caixas::Caixa> lista;
    std::function<void(const Caixas::Caixa&)> aoMostrar;

    QStringList Textos() const;
};
