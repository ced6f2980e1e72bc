#include "CaixasGravadas.h"

CaixasGravadas::CaixasGravadas()
{
    Caixas::SetInterceptador([this](const Caixas::Caixa& c) {
        lista.append(c);
        if (aoMostrar)
            aoMostrar(c);
        return QString();
    });
}

CaixasGravadas::~CaixasGravadas()
{
    Caixas::SetInterceptador({});
}

QStringList CaixasGravadas::Textos() const
{
    QStringList textos;
    for (const Caixas::Caixa& c : lista)
        textos << c.texto;
    return textos;
}
