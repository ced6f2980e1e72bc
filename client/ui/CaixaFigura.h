#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

// A picture box: keeps its Left and Top in twips as floating point, so that a move by a fraction
// of a pixel per tick still adds up, and sits at the rounded pixel. It paints its back colour and
// then its picture at its top-left corner. The tag is a free text marker ("Mesa" for a card on
// the table).
class CaixaFigura : public QWidget
{
    Q_OBJECT

public:
    explicit CaixaFigura(QWidget* pai = nullptr);

    double Left() const { return m_left; }
    double Top() const { return m_top; }
    void SetLeft(double twips);
    void SetTop(double twips);
    void SetPosicao(double left, double top);
    // Size in twips; the position is kept.
    void SetTamanho(double largura, double altura);

    const QImage& Figura() const { return m_figura; }
    void SetFigura(const QImage& figura);

    // What is drawn over the picture and stays until cleared, as on a picture box: images placed
    // in twips, in order, clipped to the box, so a cell of a larger image drawn at a negative
    // offset shows alone.
    void Desenhar(const QImage& imagem, double left, double top);
    void Cls();

    QColor CorFundo() const { return m_corFundo; }
    void SetCorFundo(const QColor& cor);

    QString Tag() const { return m_tag; }
    void SetTag(const QString& tag) { m_tag = tag; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void Reposicionar();

    double m_left = 0;
    double m_top = 0;
    QImage m_figura;
    QList<std::pair<QPoint, QImage>> m_desenho;
    QColor m_corFundo;
    QString m_tag;
};
