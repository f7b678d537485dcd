#include "TestInformation.h"

#include "BatchReportLog.h"

#include <QSettings>

namespace {

const QString group = QStringLiteral("TestInformation");

} // namespace

TestInformation loadTestInformation()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"),
                       QStringLiteral("Tintwell"));
    settings.beginGroup(group);
    return {settings.value(QStringLiteral("Company")).toString(),
            settings.value(QStringLiteral("Tester")).toString(),
            settings.value(QStringLiteral("Auditor")).toString()};
}

bool saveTestInformation(const TestInformation& information)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"),
                       QStringLiteral("Tintwell"));
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("Company"), information.company);
    settings.setValue(QStringLiteral("Tester"), information.tester);
    settings.setValue(QStringLiteral("Auditor"), information.auditor);
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        qCWarning(lcBatchReport) << "test information not saved to" << settings.fileName();
        return false;
    }
    return true;
}
