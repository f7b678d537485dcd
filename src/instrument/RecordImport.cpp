#include "RecordImport.h"

#include "Comparison.h"
#include "Frames.h"
#include "LinkAccess.h"
#include "RecordCommands.h"
#include "RecordDecoding.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcImport, "tintwell.instrument.import")

namespace {

QDateTime importTimeOf(const ImportSettings& settings)
{
    return settings.importTime.isValid() ? settings.importTime : QDateTime::currentDateTime();
}

void count(ImportResult& result, bool pass)
{
    if (pass) {
        ++result.passed;
    } else {
        ++result.failed;
    }
}

} // namespace

RecordImport::RecordImport(LinkAccess& link, InstrumentFeedback& feedback) : m_link(link), m_feedback(feedback)
{
}

void RecordImport::error(const QString& text)
{
    m_feedback.inform({tr("Error"), text});
}

InstrumentMessage RecordImport::saveRowsQuestion()
{
    return {tr("Colorimeter"), tr("Data import willempty the list, to save data first?")};
}

bool RecordImport::offerToSaveRows(const PageHooks& hooks)
{
    if (!hooks.rowCount || hooks.rowCount() <= 0) {
        return true;
    }
    const bool save = hooks.askToSaveRows && hooks.askToSaveRows();
    if (!save) {
        if (hooks.clearRows) {
            hooks.clearRows(); // may still keep the rows; the import then appends after them
        }
        return true;
    }
    const bool exported = hooks.exportRows && hooks.exportRows();
    if (!exported) {
        qCDebug(lcImport) << "the rows were not exported; the import does not start";
    }
    return exported;
}

ImportResult RecordImport::run(bool legacy, const PageHooks& hooks)
{
    ImportResult skipped;
    skipped.outcome = ImportResult::Outcome::Skipped;
    if (!m_link.transport().isLinkOpen()) {
        error(tr("Please connect the device first!"));
        return skipped;
    }
    if (!offerToSaveRows(hooks)) {
        return skipped;
    }
    if (legacy && hooks.readParameter && !hooks.readParameter()) {
        return skipped;
    }
    const ImportSettings settings = hooks.settings ? hooks.settings() : ImportSettings();
    return legacy ? importLegacy(settings) : importCurrent(settings);
}

RecordImport::Pages RecordImport::transfer(const Layout& layout, const std::function<int(int&)>& readCount)
{
    using Outcome = ImportResult::Outcome;
    Pages pages;
    LinkLock lock(m_link);
    Transport& transport = m_link.transport();

    int count = 0;
    const int rc = readCount(count);
    if (rc != ProtocolResult::Success) {
        lock.unlock();
        error(rc == ProtocolResult::BadDataChecksum
                  ? layout.countErrorText
                  : tr("Failed to read the number of color difference records!"));
        return pages;
    }
    pages.count = count;
    const int dataBytes = count * layout.dataSize;
    const int nameBytes = count * layout.nameSize;
    const int dataPages = RecordDecoding::pageCount(dataBytes);
    const int namePages = RecordDecoding::pageCount(nameBytes);
    qCDebug(lcImport) << count << "records," << dataPages << "data pages," << namePages << "name pages";

    m_feedback.progressStart(tr("Storing data,please wait..."), tr("cancel"), dataPages + namePages);
    pages.data.reserve(dataBytes);
    pages.names.reserve(nameBytes);

    // Page k of both loops: data pages first, then name pages.
    for (int k = 0; k < dataPages + namePages; ++k) {
        const bool isData = k < dataPages;
        const int page = isData ? k : k - dataPages;
        const quint32 base = isData ? layout.dataArea : layout.nameArea;
        const int length = RecordDecoding::pageLength(isData ? dataBytes : nameBytes, page);
        QByteArray& into = isData ? pages.data : pages.names;
        if (readBlock(transport, base + quint32(RecordDecoding::kPageBytes * page), into, length)
            != ProtocolResult::Success) {
            m_feedback.progressEnd();
            lock.unlock();
            error(isData ? layout.dataPageErrorText : tr("Failed to read color difference record name data!"));
            return pages;
        }
        if (!m_feedback.progressStep(k)) {
            // Stop after the page that was being read; nothing is kept.
            m_feedback.progressEnd();
            lock.unlock();
            pages.outcome = Outcome::Cancelled;
            m_feedback.inform({tr("Info"), tr("Import cancelled: nothing was added to the list.")});
            return pages;
        }
    }
    lock.unlock();
    m_feedback.progressEnd();
    if (pages.data.size() != dataBytes || pages.names.size() != nameBytes) {
        // readBlock succeeds only with the whole page; a short buffer is a fault of the link layer.
        error(layout.dataPageErrorText);
        return pages;
    }
    pages.outcome = count < 1 ? Outcome::NoRecords : Outcome::Imported;
    if (count < 1) {
        m_feedback.inform({tr("Info"), tr("No comparison record!")});
    }
    return pages;
}

ImportResult RecordImport::importCurrent(const ImportSettings& settings)
{
    // The instrument keeps the records of each display mode in an area of its own.
    const int mode = displayModeIndex(settings.judging.displayMode);
    Layout layout;
    layout.dataArea = RecordDecoding::dataArea(mode);
    layout.nameArea = RecordDecoding::nameArea(mode);
    layout.dataSize = RecordDecoding::dataRecordSize(mode);
    layout.nameSize = RecordDecoding::kNameRecordSize;
    layout.countErrorText = tr("difference history data error, unable to export!");
    layout.dataPageErrorText = tr("Reading difference recording lab data failed!");
    Transport& transport = m_link.transport();
    const Pages pages = transfer(layout, [&](int& count) {
        return readComparisonRecordCount(transport, count, mode, settings.judging.layoutIndex);
    });
    ImportResult result;
    result.outcome = pages.outcome;
    if (pages.outcome != ImportResult::Outcome::Imported) {
        return result;
    }

    const QDateTime time = importTimeOf(settings);
    result.rows.reserve(pages.count);
    for (int i = 0; i < pages.count; ++i) {
        ComparisonRecord decoded;
        RecordDecoding::decodeComparisonRecord(mode, pages.data.mid(i * layout.dataSize, layout.dataSize), decoded);
        // The formula and threshold rule of a live comparison in this layout.
        ComparisonRecord row = compareValues(decoded.standard, decoded.sample, settings.judging);
        row.testName = RecordDecoding::comparisonRecordName(
            pages.names.mid(i * layout.nameSize, layout.nameSize));
        row.time = time;
        count(result, row.pass);
        row.sequence = settings.totalCountBefore + i + 1;
        row.modelName = settings.modelName;
        row.serialNumber = settings.serialNumber;
        result.rows.append(row);
    }
    return result;
}

ImportResult RecordImport::importLegacy(const ImportSettings& settings)
{
    using RecordDecoding::kLegacyDataSize;
    using RecordDecoding::kLegacyNameSize;
    Layout layout;
    layout.dataArea = RecordDecoding::kLegacyDataArea;
    layout.nameArea = RecordDecoding::kLegacyNameArea;
    layout.dataSize = kLegacyDataSize;
    layout.nameSize = kLegacyNameSize;
    layout.countErrorText = tr("Color difference history data error, unable to export!");
    layout.dataPageErrorText = tr("Reading color difference recording lab data failed!");
    Transport& transport = m_link.transport();
    const Pages pages =
        transfer(layout, [&](int& count) { return readColorDifferenceRecordInfo(transport, count); });
    ImportResult result;
    result.outcome = pages.outcome;
    if (pages.outcome != ImportResult::Outcome::Imported) {
        return result;
    }

    using R = ComparisonRecord;
    const QDateTime time = importTimeOf(settings);
    result.rows.reserve(pages.count);
    for (int i = 0; i < pages.count; ++i) {
        ComparisonRecord decoded;
        RecordDecoding::decodeLegacyRecord(pages.data.mid(i * kLegacyDataSize, kLegacyDataSize), decoded);
        ComparisonRecord row = compareLegacyValues(decoded.legacyStandard, decoded.legacySample, settings.judging);
        row.testName = RecordDecoding::legacyRecordName(pages.names.mid(i * kLegacyNameSize, kLegacyNameSize));
        row.time = time;
        // Statistics and exchange files read a legacy record's L*a*b* where a current one keeps it.
        for (int v : {R::LegacyL, R::LegacyA, R::LegacyB}) {
            row.standard[R::LabL + v] = row.legacyStandard[v];
            row.sample[R::LabL + v] = row.legacySample[v];
        }
        count(result, row.pass);
        row.sequence = settings.totalCountBefore + i + 1;
        row.modelName = settings.modelName;
        row.serialNumber = settings.serialNumber;
        result.rows.append(row);
    }
    return result;
}
