#pragma once
// The three test-information texts an operator types into the information
// dialogs. A lab fills in the same company every day, so they are kept in the
// user's settings (INI file "Tintwell/Tintwell.ini", group "TestInformation")
// and offered again after a restart.

#include <QString>

struct TestInformation
{
    QString company;
    QString tester;
    QString auditor;

    bool operator==(const TestInformation& o) const
    {
        return company == o.company && tester == o.tester && auditor == o.auditor;
    }
};

TestInformation loadTestInformation();
// False when the settings file could not be written.
bool saveTestInformation(const TestInformation& information);
