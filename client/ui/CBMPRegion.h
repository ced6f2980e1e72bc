#pragma once

#include <QImage>
#include <QRegion>
#include <QString>

// A bitmap as a window region: the whole bitmap less every pixel of one transparent colour. The
// cards get their rounded corners this way (QWidget::setMask with Handle()). Colours are compared
// on red, green and blue only.
//
// The region file holds a bitmap's transparent runs as text: "W,H" CR LF, then records "x0,x1@y"
// (pixels x0 to x1 - 1 of row y) joined by "|", in scan order, with no line break at the end.
class CBMPRegion
{
public:
    // Builds the region from a region file: the rectangle (1, 1)-(W, H - 1) less every record.
    // A missing or malformed file still gives true, with what could be read.
    bool CreateFromFile(const QString& lpFile);
    // False for a null picture.
    bool CreateFromPic(const QImage& figura, QRgb crColor);
    // Drops the held region. Returns false, as it always has; nobody reads the result.
    bool Destroy();
    const QRegion& Handle() const { return m_regiao; } // empty when none is held
    bool TemRegiao() const { return m_temRegiao; }
    // Writes the region file of figura; false when the picture is null or the file was not written.
    bool CreateRegionFile(const QImage& figura, QRgb crColor, const QString& lpPath);

private:
    QRegion m_regiao;
    bool m_temRegiao = false;
};
