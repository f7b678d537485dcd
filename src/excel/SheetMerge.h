#pragma once
// Saving a worksheet: the sheet part as it was, with the written cells put
// in, streamed from reader to writer so that neither side is held whole.
// Everything the writes do not touch (column widths, views, merged cells,
// other cells and their styles) passes through unchanged.

#include "CellSpool.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QMap>
#include <QString>

// Written cells are centred: each style a written cell starts from gets a
// centred twin appended to the workbook's cell formats.
class CentredStyles
{
public:
    // False when the styles part has no cell formats to extend; written
    // cells then keep the default format.
    bool load(const QByteArray& stylesXml);
    bool isAvailable() const { return m_available; }
    // The format index of the centred twin of format base.
    int centredFor(int base);
    // The styles part with every twin handed out so far.
    QByteArray apply() const;

private:
    struct Format
    {
        QList<QPair<QString, QString>> attributes;
        bool centred = false;
    };
    QString m_xml;
    QString m_prefix;
    qsizetype m_insertAt = -1;
    QList<Format> m_formats;
    QMap<int, int> m_twins;   // base → twin index
    QList<int> m_twinBases;   // in the order the twins were added
    bool m_available = false;
};

// Writes sheetXml to out with the spool's cells merged in (the spool must
// have been rewound). dimension replaces the ref of the sheet's <dimension>.
bool writeMergedSheet(QIODevice& sheetXml, CellSpool& cells, CentredStyles& styles,
                      const QString& dimension, QIODevice& out, QString* error);
