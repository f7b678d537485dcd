// A standard loaded from a colour exchange file (CGATS .ti3/.txt or CxF3
// .cxf) instead of a scan: its D65/10° L*a*b* with L*, C*, h and Y, x, y
// derived from them go into the standard column, and the standard counts as
// taken, so the next sample is compared with it by the one judging rule. A
// file holds no haze or transmittance: those cells show dashes, which the
// comparison takes as unknown only in the display modes that do not judge them.

#include "FirstPageFor310.h"

#include "LiveDisplay.h"
#include "MeasurementSession.h"
#include "Dialogs.h"
#include "Exchange.h"
#include "FileFolders.h"
#include "FirstPageForm.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLoggingCategory>
#include <QPushButton>

namespace {

Q_LOGGING_CATEGORY(lcStandardFile, "tintwell.workspace.standardfile")

// The reading a measurement of this colour would show: the values a file
// gives, and what the display derives from them.
ColorReading readingFromLab(double l, double a, double b)
{
    ColorReading reading;
    reading.lab = {l, a, b};
    reading.lchL = l;
    reading.chroma = chroma(a, b);
    reading.hue = displayHue(a, b);
    const XyzColor xyz = labToXyz(reading.lab);
    reading.luminanceY = xyz.y;
    const double sum = xyz.x + xyz.y + xyz.z;
    // Black has no chromaticity of its own: the white's, as for any neutral.
    const double whiteSum = ColorConstants::whiteX + ColorConstants::whiteY + ColorConstants::whiteZ;
    reading.chromaticityX = sum > 0.0 ? xyz.x / sum : ColorConstants::whiteX / whiteSum;
    reading.chromaticityY = sum > 0.0 ? xyz.y / sum : ColorConstants::whiteY / whiteSum;
    return reading;
}

// The first Standard object (CxF3) or the first sample with L*a*b*.
const formats::ExchangeSample* standardOf(const formats::ExchangeDocument& document)
{
    const formats::ExchangeSample* first = nullptr;
    for (const formats::ExchangeSample& sample : document.samples) {
        if (!sample.hasLab) {
            continue;
        }
        if (sample.kind == formats::SampleKind::Standard) {
            return &sample;
        }
        if (!first) {
            first = &sample;
        }
    }
    return first;
}

// The standard file the operator chooses; empty when none.
QString chooseStandardFile(Dialogs& dialogs, QWidget* page)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("FirstPageFor310", text); };
    // Every format the reader takes, at once and one by one.
    const QString filter = QStringList{tr(QT_TRANSLATE_NOOP("FirstPageFor310", "Colour exchange files (*.ti3 *.txt *.cxf)")),
                                       tr(QT_TRANSLATE_NOOP("FirstPageFor310", "CGATS files (*.ti3 *.txt)")),
                                       tr(QT_TRANSLATE_NOOP("FirstPageFor310", "CxF3 files (*.cxf)"))}
                               .join(QStringLiteral(";;"));
    const QString path = dialogs.openFileName(page, tr(QT_TRANSLATE_NOOP("FirstPageFor310", "Load standard")),
                                              FileFolders::startFolder(FileFolders::Kind::Standards), filter);
    FileFolders::remember(FileFolders::Kind::Standards, path);
    return path;
}

} // namespace

bool FirstPageFor310::on_pushButton_loadStandard_clicked()
{
    const QString path = chooseStandardFile(m_dialogs, this);
    return !path.isEmpty() && loadStandardFile(path, false);
}

bool FirstPageFor310::on_loadstdBtn_clicked()
{
    const QString path = chooseStandardFile(m_dialogs, this);
    return !path.isEmpty() && loadStandardFile(path, true);
}

bool FirstPageFor310::loadStandardFile(const QString& path, bool legacy)
{
    const QString fileName = QFileInfo(path).fileName();
    formats::ExchangeDocument document;
    const formats::ReadResult result = formats::readExchangeFile(path, document);
    const formats::ExchangeSample* standard = result.ok ? standardOf(document) : nullptr;
    if (!standard) {
        const QString reason =
            result.ok ? tr("the file holds no sample with L*a*b* values for D65/10\u00B0") : result.error;
        qCDebug(lcStandardFile) << "standard refused:" << path << reason;
        m_dialogs.information(this, tr("Error"), tr("No standard was loaded from %1: %2").arg(fileName, reason));
        return false;
    }
    // Results pushed before the load are judged against the standard they were taken for.
    m_display->showArrivedPushed();
    // No haze or transmittance in the file (unknown, not 0), no colour of the
    // instrument's; results the instrument pushes from now on are samples.
    m_session->takeStandardFromFile(readingFromLab(standard->l, standard->a, standard->b), legacy);
    const QString name = standard->name.isEmpty() ? standard->id : standard->name;
    if (document.samples.size() > 1) {
        m_dialogs.information(this, tr("Standard"),
                              tr("%1 holds %2 samples; the standard is \"%3\", the first standard in the file.")
                                  .arg(fileName)
                                  .arg(document.samples.size())
                                  .arg(name.left(40)));
    }
    return true;
}
