<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>No instrument: plug one in over USB, or start Tintwell with --simulate MODEL (%1).</source>
        <translation>No instrument: plug one in over USB, or start Tintwell with --simulate MODEL (%1).</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>Warn</translation>
    </message>
    <message>
        <source>The texts of this language (%1.qm) are not in %2: the window stays in its language.</source>
        <translation>The texts of this language (%1.qm) are not in %2: the window stays in its language.</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Disconnected</translation>
    </message>
</context>
<context>
    <name>Colorimeter</name>
    <message>
        <source>△E*ab</source>
        <translation>△E*ab</translation>
    </message>
    <message>
        <source>△E*uv</source>
        <translation>△E*uv</translation>
    </message>
    <message>
        <source>△E*94</source>
        <translation>△E*94</translation>
    </message>
    <message>
        <source>△E*cmc(2:1)</source>
        <translation>△E*cmc(2:1)</translation>
    </message>
    <message>
        <source>△E*cmc(1:1)</source>
        <translation>△E*cmc(1:1)</translation>
    </message>
    <message>
        <source>△E*cmc(1.4:1)</source>
        <translation>△E*cmc(1.4:1)</translation>
    </message>
    <message>
        <source>△E*00</source>
        <translation>△E*00</translation>
    </message>
    <message>
        <source>△Transmittance</source>
        <translation>△Transmittance</translation>
    </message>
    <message>
        <source>△E</source>
        <translation>△E</translation>
    </message>
    <message>
        <source>△</source>
        <translation>△</translation>
    </message>
    <message>
        <source>△E </source>
        <translation>△E </translation>
    </message>
    <message>
        <source>△Haze</source>
        <translation>△Haze</translation>
    </message>
    <message>
        <source>△E Thresholds</source>
        <translation>△E Thresholds</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>More black</source>
        <translation>More black</translation>
    </message>
    <message>
        <source>Slight black</source>
        <translation>Slight black</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Slight white</source>
        <translation>Slight white</translation>
    </message>
    <message>
        <source>More white</source>
        <translation>More white</translation>
    </message>
    <message>
        <source>More green</source>
        <translation>More green</translation>
    </message>
    <message>
        <source>Slight green</source>
        <translation>Slight green</translation>
    </message>
    <message>
        <source>Slight red</source>
        <translation>Slight red</translation>
    </message>
    <message>
        <source>More red</source>
        <translation>More red</translation>
    </message>
    <message>
        <source>More Blue</source>
        <translation>More Blue</translation>
    </message>
    <message>
        <source>Slight blue</source>
        <translation>Slight blue</translation>
    </message>
    <message>
        <source>Slight yellow</source>
        <translation>Slight yellow</translation>
    </message>
    <message>
        <source>More yellow</source>
        <translation>More yellow</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>NG</translation>
    </message>
    <message>
        <source>Device information</source>
        <translation>Device information</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>SN:</translation>
    </message>
    <message>
        <source>Firmware Version:</source>
        <translation>Firmware Version:</translation>
    </message>
    <message>
        <source> Comparison measurement</source>
        <translation> Comparison measurement</translation>
    </message>
    <message>
        <source>Scan Standard</source>
        <translation>Scan Standard</translation>
    </message>
    <message>
        <source>Load standard…</source>
        <translation>Load standard…</translation>
    </message>
    <message>
        <source>Load the standard from a CGATS or CxF3 file</source>
        <translation>Load the standard from a CGATS or CxF3 file</translation>
    </message>
    <message>
        <source>Load the standard from a CGATS (.ti3, .txt) or CxF3 (.cxf) file</source>
        <translation>Load the standard from a CGATS (.ti3, .txt) or CxF3 (.cxf) file</translation>
    </message>
    <message>
        <source>Load standard</source>
        <translation>Load standard</translation>
    </message>
    <message>
        <source>Colour exchange files (*.ti3 *.txt *.cxf)</source>
        <translation>Colour exchange files (*.ti3 *.txt *.cxf)</translation>
    </message>
    <message>
        <source>the file holds no sample with L*a*b* values for D65/10°</source>
        <translation>the file holds no sample with L*a*b* values for D65/10°</translation>
    </message>
    <message>
        <source>No standard was loaded from %1: %2</source>
        <translation>No standard was loaded from %1: %2</translation>
    </message>
    <message>
        <source>%1 holds %2 samples; the standard is &quot;%3&quot;, the first standard in the file.</source>
        <translation>%1 holds %2 samples; the standard is &quot;%3&quot;, the first standard in the file.</translation>
    </message>
    <message>
        <source>Scan Sample</source>
        <translation>Scan Sample</translation>
    </message>
    <message>
        <source>Set display parameter</source>
        <translation>Set display parameter</translation>
    </message>
    <message>
        <source>Haze/T</source>
        <translation>Haze/T</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>Haze</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Lab</source>
        <translation>Lab</translation>
    </message>
    <message>
        <source>LCh</source>
        <translation>LCh</translation>
    </message>
    <message>
        <source>Yxy</source>
        <translation>Yxy</translation>
    </message>
    <message>
        <source>Haze/T/Lab</source>
        <translation>Haze/T/Lab</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>NG </source>
        <translation>NG </translation>
    </message>
    <message>
        <source>PASS </source>
        <translation>PASS </translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Set tolerance</source>
        <translation>Set tolerance</translation>
    </message>
    <message>
        <source>Haze Tolerance(0-100)±:</source>
        <translation>Haze Tolerance(0-100)±:</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>T Tolerance(0-100)±:</source>
        <translation>T Tolerance(0-100)±:</translation>
    </message>
    <message>
        <source>△E Thresholds(0.1-50):</source>
        <translation>△E Thresholds(0.1-50):</translation>
    </message>
    <message>
        <source>Read tolerance</source>
        <translation>Read tolerance</translation>
    </message>
    <message>
        <source>△E parameter</source>
        <translation>△E parameter</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E formula:</translation>
    </message>
    <message>
        <source>△E Thresholds:</source>
        <translation>△E Thresholds:</translation>
    </message>
    <message>
        <source>Set parameter </source>
        <translation>Set parameter </translation>
    </message>
    <message>
        <source>Read parameter</source>
        <translation>Read parameter</translation>
    </message>
    <message>
        <source>Read comparison record</source>
        <translation>Read comparison record</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Export Excel</source>
        <translation>Export Excel</translation>
    </message>
    <message>
        <source>Spectral transmittance</source>
        <translation>Spectral transmittance</translation>
    </message>
    <message>
        <source>Spectral reflectance</source>
        <translation>Spectral reflectance</translation>
    </message>
    <message>
        <source>Write stdcolor</source>
        <translation>Write stdcolor</translation>
    </message>
    <message>
        <source>Tintwell haze and colour QC workstation</source>
        <translation>Tintwell haze and colour QC workstation</translation>
    </message>
    <message>
        <source>Works with the TX310, TX420, TX430, TX450, TX460 and TX470</source>
        <translation>Works with the TX310, TX420, TX430, TX450, TX460 and TX470</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Transmittance</source>
        <translation>Transmittance</translation>
    </message>
    <message>
        <source>L*</source>
        <translation>L*</translation>
    </message>
    <message>
        <source>a*</source>
        <translation>a*</translation>
    </message>
    <message>
        <source>b*</source>
        <translation>b*</translation>
    </message>
    <message>
        <source>C*</source>
        <translation>C*</translation>
    </message>
    <message>
        <source>h</source>
        <translation>h</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>y</source>
        <translation>y</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>Test Name</source>
        <translation>Test Name</translation>
    </message>
    <message>
        <source>DateTime</source>
        <translation>DateTime</translation>
    </message>
    <message>
        <source>△Haze</source>
        <translation>△Haze</translation>
    </message>
    <message>
        <source>△T</source>
        <translation>△T</translation>
    </message>
    <message>
        <source>△E</source>
        <translation>△E</translation>
    </message>
    <message>
        <source>Pass or not</source>
        <translation>Pass or not</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Tip</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>Clearing data will clear all comparison records. Are you sure you want to clear it?</source>
        <translation>Clearing data will clear all comparison records. Are you sure you want to clear it?</translation>
    </message>
    <message>
        <source>UnKnow</source>
        <translation>UnKnow</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>Warn</translation>
    </message>
    <message>
        <source>Failed to read device information!</source>
        <translation>Failed to read device information!</translation>
    </message>
    <message>
        <source>Read key infomation fail!</source>
        <translation>Read key infomation fail!</translation>
    </message>
    <message>
        <source>Read MeterNo Fail!</source>
        <translation>Read MeterNo Fail!</translation>
    </message>
    <message>
        <source>Failed to read software version number!</source>
        <translation>Failed to read software version number!</translation>
    </message>
    <message>
        <source>Failed to read DisplayParam!</source>
        <translation>Failed to read DisplayParam!</translation>
    </message>
    <message>
        <source>The comparison journal cannot be used: %1
Tintwell goes on without it; the rows of this session are kept in memory only.</source>
        <translation>The comparison journal cannot be used: %1
Tintwell goes on without it; the rows of this session are kept in memory only.</translation>
    </message>
    <message>
        <source>The comparison journal %1 was damaged. It was moved to %2 and a new one started.</source>
        <translation>The comparison journal %1 was damaged. It was moved to %2 and a new one started.</translation>
    </message>
    <message>
        <source>The comparison journal stopped working: %1
Tintwell goes on without it; the rows of this session are kept in memory only.</source>
        <translation>The comparison journal stopped working: %1
Tintwell goes on without it; the rows of this session are kept in memory only.</translation>
    </message>
    <message>
        <source>%1 comparison rows of the session of %2 (%3) were not cleared or exported. Restore them?</source>
        <translation>%1 comparison rows of the session of %2 (%3) were not cleared or exported. Restore them?</translation>
    </message>
    <message>
        <source>Sessions closed more than %3 days ago were removed from the comparison journal: %2 sessions, %1 comparisons (setting journal/pruneClosedAfterDays in %4).</source>
        <translation>Sessions closed more than %3 days ago were removed from the comparison journal: %2 sessions, %1 comparisons (setting journal/pruneClosedAfterDays in %4).</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
    <message>
        <source>Failed to read measurement data!</source>
        <translation>Failed to read measurement data!</translation>
    </message>
    <message>
        <source>The standard's %1 is empty or not a number; nothing was compared.</source>
        <translation>The standard's %1 is empty or not a number; nothing was compared.</translation>
    </message>
    <message>
        <source>The sample's %1 is empty or not a number; nothing was compared.</source>
        <translation>The sample's %1 is empty or not a number; nothing was compared.</translation>
    </message>
    <message>
        <source>A standard from a file has no haze or transmittance: it can be judged only in the Lab, LCh and Yxy modes.</source>
        <translation>A standard from a file has no haze or transmittance: it can be judged only in the Lab, LCh and Yxy modes.</translation>
    </message>
    <message>
        <source>CGATS files (*.ti3 *.txt)</source>
        <translation>CGATS files (*.ti3 *.txt)</translation>
    </message>
    <message>
        <source>CxF3 files (*.cxf)</source>
        <translation>CxF3 files (*.cxf)</translation>
    </message>
    <message>
        <source>The rows in the table were taken in the %1 mode: clear them (export them first if they are still needed) before adding comparisons made in the %2 mode.</source>
        <translation>The rows in the table were taken in the %1 mode: clear them (export them first if they are still needed) before adding comparisons made in the %2 mode.</translation>
    </message>
    <message>
        <source>The comparison measurement record list data will be cleared. Do you want to continue saving the parameter settings?</source>
        <translation>The comparison measurement record list data will be cleared. Do you want to continue saving the parameter settings?</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>SN</source>
        <translation>SN</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Standard Haze</source>
        <translation>Standard Haze</translation>
    </message>
    <message>
        <source>Standard Transmittance</source>
        <translation>Standard Transmittance</translation>
    </message>
    <message>
        <source>Sample Haze</source>
        <translation>Sample Haze</translation>
    </message>
    <message>
        <source>Sample Transmittance</source>
        <translation>Sample Transmittance</translation>
    </message>
    <message>
        <source>Haze Tolerance</source>
        <translation>Haze Tolerance</translation>
    </message>
    <message>
        <source>Transmittance Tolerance</source>
        <translation>Transmittance Tolerance</translation>
    </message>
    <message>
        <source>Standard L*</source>
        <translation>Standard L*</translation>
    </message>
    <message>
        <source>Standard a*</source>
        <translation>Standard a*</translation>
    </message>
    <message>
        <source>Standard b*</source>
        <translation>Standard b*</translation>
    </message>
    <message>
        <source>Standard C*</source>
        <translation>Standard C*</translation>
    </message>
    <message>
        <source>Standard h</source>
        <translation>Standard h</translation>
    </message>
    <message>
        <source>Standard Y</source>
        <translation>Standard Y</translation>
    </message>
    <message>
        <source>Standard x</source>
        <translation>Standard x</translation>
    </message>
    <message>
        <source>Standard y</source>
        <translation>Standard y</translation>
    </message>
    <message>
        <source>Sample L*</source>
        <translation>Sample L*</translation>
    </message>
    <message>
        <source>Sample a*</source>
        <translation>Sample a*</translation>
    </message>
    <message>
        <source>Sample b*</source>
        <translation>Sample b*</translation>
    </message>
    <message>
        <source>Sample C*</source>
        <translation>Sample C*</translation>
    </message>
    <message>
        <source>Sample h</source>
        <translation>Sample h</translation>
    </message>
    <message>
        <source>Sample Y</source>
        <translation>Sample Y</translation>
    </message>
    <message>
        <source>Sample x</source>
        <translation>Sample x</translation>
    </message>
    <message>
        <source>Sample y</source>
        <translation>Sample y</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Delete row %1</source>
        <translation>Delete row %1</translation>
    </message>
    <message>
        <source>Report for %1</source>
        <translation>Report for %1</translation>
    </message>
    <message>
        <source>Library standard</source>
        <translation>Library standard</translation>
    </message>
    <message>
        <source>Standard version</source>
        <translation>Standard version</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Decided by</source>
        <translation>Decided by</translation>
    </message>
    <message>
        <source>PASS rows with a value beyond the warning band of their standard's tolerances</source>
        <translation>PASS rows with a value beyond the warning band of their standard's tolerances</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>Standard n</source>
        <translation>Standard n</translation>
    </message>
    <message>
        <source>Sample n</source>
        <translation>Sample n</translation>
    </message>
    <message>
        <source>%1 SD</source>
        <translation>%1 SD</translation>
    </message>
    <message>
        <source>%1 range</source>
        <translation>%1 range</translation>
    </message>
    <message>
        <source>Readings per standard</source>
        <translation>Readings per standard</translation>
    </message>
    <message>
        <source>Readings per sample</source>
        <translation>Readings per sample</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>Average of the readings</source>
        <translation>Average of the readings</translation>
    </message>
    <message>
        <source>Read again when the ΔE between readings exceeds</source>
        <translation>Read again when the ΔE between readings exceeds</translation>
    </message>
    <message>
        <source>One more reading is asked for when two readings of a specimen differ by more than this ΔE (off: never)</source>
        <translation>One more reading is asked for when two readings of a specimen differ by more than this ΔE (off: never)</translation>
    </message>
    <message>
        <source>Discard last reading</source>
        <translation>Discard last reading</translation>
    </message>
    <message>
        <source>%1: %2 readings taken</source>
        <translation>%1: %2 readings taken</translation>
    </message>
    <message>
        <source>%1: reading %2 of %3</source>
        <translation>%1: reading %2 of %3</translation>
    </message>
    <message>
        <source>%1: readings differ by ΔE %2, more than %3: take one more reading</source>
        <translation>%1: readings differ by ΔE %2, more than %3: take one more reading</translation>
    </message>
    <message>
        <source>%1: n = %2</source>
        <translation>%1: n = %2</translation>
    </message>
    <message>
        <source>  %1: SD %2, range %3</source>
        <translation>  %1: SD %2, range %3</translation>
    </message>
    <message>
        <source>Median of the readings</source>
        <translation>Median of the readings</translation>
    </message>
    <message>
        <source>Mean of the readings</source>
        <translation>Mean of the readings</translation>
    </message>
    <message>
        <source>%1 (n=%2)</source>
        <translation>%1 (n=%2)</translation>
    </message>
    <message>
        <source>Std ×</source>
        <translation>Std ×</translation>
    </message>
    <message>
        <source>Sample ×</source>
        <translation>Sample ×</translation>
    </message>
    <message>
        <source>Readings per standard: the standard is their mean or median</source>
        <translation>Readings per standard: the standard is their mean or median</translation>
    </message>
    <message>
        <source>Readings per sample: the sample is their mean or median</source>
        <translation>Readings per sample: the sample is their mean or median</translation>
    </message>
    <message>
        <source>Re-read&gt;</source>
        <translation>Re-read&gt;</translation>
    </message>
    <message>
        <source>No re-read</source>
        <translation>No re-read</translation>
    </message>
</context>
<context>
    <name>ReportPageFor310</name>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source> Tester:</source>
        <translation> Tester:</translation>
    </message>
    <message>
        <source> Auditor:</source>
        <translation> Auditor:</translation>
    </message>
</context>
<context>
    <name>ReportPageFor420</name>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Test Report1</source>
        <translation>Test Report</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>Test Report</translation>
    </message>
</context>
<context>
    <name>ReportPage</name>
    <message>
        <source>Statistics page</source>
        <translation>Statistics page</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>The report could not be saved to %1.</source>
        <translation>The report could not be saved to %1.</translation>
    </message>
    <message>
        <source>Report preview</source>
        <translation>Report preview</translation>
    </message>
    <message>
        <source>Can't create a file in the folder %1: the folder is read-only. Please choose another folder.</source>
        <translation>Can't create a file in the folder %1: the folder is read-only. Please choose another folder.</translation>
    </message>
</context>
<context>
    <name>InformationPageFor310</name>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>SN:</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Company:</translation>
    </message>
    <message>
        <source>Sample Name:</source>
        <translation>Sample Name:</translation>
    </message>
    <message>
        <source>Test Time:</source>
        <translation>Test Time:</translation>
    </message>
    <message>
        <source>Tester:</source>
        <translation>Tester:</translation>
    </message>
    <message>
        <source>Auditor:</source>
        <translation>Auditor:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>InformationPageFor420</name>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>SN:</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Company:</translation>
    </message>
    <message>
        <source>Sample Name:</source>
        <translation>Sample Name:</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E formula:</translation>
    </message>
    <message>
        <source>△E Thresholds:</source>
        <translation>△E Thresholds:</translation>
    </message>
    <message>
        <source>Test Time:</source>
        <translation>Test Time:</translation>
    </message>
    <message>
        <source>Tester:</source>
        <translation>Tester:</translation>
    </message>
    <message>
        <source>Auditor:</source>
        <translation>Auditor:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>permission denied</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>the file cannot be created</source>
        <translation>the file cannot be created</translation>
    </message>
    <message>
        <source>Cannot lock %1: %2. Tintwell starts without the check for a second copy.</source>
        <translation>Cannot lock %1: %2. Tintwell starts without the check for a second copy.</translation>
    </message>
</context>
<context>
    <name>RecordImport</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Colorimeter</source>
        <translation>Colorimeter</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
    <message>
        <source>Data import willempty the list, to save data first?</source>
        <translation>Data import willempty the list, to save data first?</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>Storing data,please wait...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>cancel</translation>
    </message>
    <message>
        <source>Import cancelled: nothing was added to the list.</source>
        <translation>Import cancelled: nothing was added to the list.</translation>
    </message>
    <message>
        <source>No comparison record!</source>
        <translation>No comparison record!</translation>
    </message>
    <message>
        <source>Failed to read the number of color difference records!</source>
        <translation>Failed to read the number of color difference records!</translation>
    </message>
    <message>
        <source>difference history data error, unable to export!</source>
        <translation>difference history data error, unable to export!</translation>
    </message>
    <message>
        <source>Color difference history data error, unable to export!</source>
        <translation>Color difference history data error, unable to export!</translation>
    </message>
    <message>
        <source>Reading difference recording lab data failed!</source>
        <translation>Reading difference recording lab data failed!</translation>
    </message>
    <message>
        <source>Reading color difference recording lab data failed!</source>
        <translation>Reading color difference recording lab data failed!</translation>
    </message>
    <message>
        <source>Failed to read color difference record name data!</source>
        <translation>Failed to read color difference record name data!</translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>Please enter the haze tolerance!</source>
        <translation>Please enter the haze tolerance!</translation>
    </message>
    <message>
        <source>Please enter the transmittance tolerance!</source>
        <translation>Please enter the transmittance tolerance!</translation>
    </message>
    <message>
        <source>Please enter the △E threshold!</source>
        <translation>Please enter the △E threshold!</translation>
    </message>
    <message>
        <source>Haze Tolerance must between 0-100!</source>
        <translation>Haze Tolerance must between 0-100!</translation>
    </message>
    <message>
        <source>Transmittance  Tolerance must between 0-100!</source>
        <translation>Transmittance  Tolerance must between 0-100!</translation>
    </message>
    <message>
        <source>Thresholds must between 0.1-50!</source>
        <translation>Thresholds must between 0.1-50!</translation>
    </message>
</context>
<context>
    <name>SettingsExchange</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
    <message>
        <source>Failed to Read Tolerance information!</source>
        <translation>Failed to Read Tolerance information!</translation>
    </message>
    <message>
        <source>Read successful!</source>
        <translation>Read successful!</translation>
    </message>
    <message>
        <source>Failed to Setup  Tolerance information!</source>
        <translation>Failed to Setup  Tolerance information!</translation>
    </message>
    <message>
        <source>Setup successfully!</source>
        <translation>Setup successfully!</translation>
    </message>
    <message>
        <source>Failed to read △E parameter information!</source>
        <translation>Failed to read △E parameter information!</translation>
    </message>
    <message>
        <source>Failed to Setup  DisplayParam information!</source>
        <translation>Failed to Setup  DisplayParam information!</translation>
    </message>
</context>
<context>
    <name>setEParameterPageFor470</name>
    <message>
        <source>△E parameter Setting</source>
        <translation>△E parameter Setting</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E formula:</translation>
    </message>
    <message>
        <source>△E*ab</source>
        <translation>△E*ab</translation>
    </message>
    <message>
        <source>△E*uv</source>
        <translation>△E*uv</translation>
    </message>
    <message>
        <source>△E*94</source>
        <translation>△E*94</translation>
    </message>
    <message>
        <source>△E*cmc(2:1)</source>
        <translation>△E*cmc(2:1)</translation>
    </message>
    <message>
        <source>△E*cmc(1:1)</source>
        <translation>△E*cmc(1:1)</translation>
    </message>
    <message>
        <source>△E*cmc(1.4:1)</source>
        <translation>△E*cmc(1.4:1)</translation>
    </message>
    <message>
        <source>△E*00</source>
        <translation>△E*00</translation>
    </message>
    <message>
        <source>△E Thresholds:</source>
        <translation>△E Thresholds:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
</context>
<context>
    <name>FirstPageFor420</name>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>Test Name</source>
        <translation>Test Name</translation>
    </message>
    <message>
        <source>DateTime</source>
        <translation>DateTime</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Pass or not</source>
        <translation>Pass or not</translation>
    </message>
</context>
<context>
    <name>MeterPageFor310</name>
    <message>
        <source>Spectra</source>
        <translation>Spectra</translation>
    </message>
    <message>
        <source>Spectral history</source>
        <translation>Spectral history</translation>
    </message>
    <message>
        <source>Spectral measurement</source>
        <translation>Spectral measurement</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Export Excel</source>
        <translation>Export Excel</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Curve</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Tip</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>Colorimeter</source>
        <translation>Colorimeter</translation>
    </message>
    <message>
        <source>Measurement exceeds the maximum quantity, please save the excel file before measuring!</source>
        <translation>Measurement exceeds the maximum quantity, please save the excel file before measuring!</translation>
    </message>
    <message>
        <source>Failed to read data information!</source>
        <translation>Failed to read data information!</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
    <message>
        <source>Spectral history data error, unable to export!</source>
        <translation>Spectral history data error, unable to export!</translation>
    </message>
    <message>
        <source>Failed to read the number of spectral records!</source>
        <translation>Failed to read the number of spectral records!</translation>
    </message>
    <message>
        <source>No spectral history!</source>
        <translation>No spectral history!</translation>
    </message>
    <message>
        <source>Reading spectral recording data failed!</source>
        <translation>Reading spectral recording data failed!</translation>
    </message>
    <message>
        <source>Failed to read spectral record name data!</source>
        <translation>Failed to read spectral record name data!</translation>
    </message>
    <message>
        <source>Data import willempty the list, to save data first?</source>
        <translation>Data import willempty the list, to save data first?</translation>
    </message>
    <message>
        <source>Clearing data will clear all spectral records. Are you sure you want to clear it?</source>
        <translation>Clearing data will clear all spectral records. Are you sure you want to clear it?</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>Storing data,please wait...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>cancel</translation>
    </message>
    <message>
        <source>Wavelength(nm)</source>
        <translation>Wavelength(nm)</translation>
    </message>
    <message>
        <source>Transmittance(%)</source>
        <translation>Transmittance(%)</translation>
    </message>
    <message>
        <source>Reflectance(%)</source>
        <translation>Reflectance(%)</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Illuminant</source>
        <translation>Illuminant</translation>
    </message>
    <message>
        <source>Observer</source>
        <translation>Observer</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Formula</source>
        <translation>Formula</translation>
    </message>
    <message>
        <source>△E limit</source>
        <translation>△E limit</translation>
    </message>
    <message>
        <source>L*a*b*</source>
        <translation>L*a*b*</translation>
    </message>
    <message>
        <source>L*C*h</source>
        <translation>L*C*h</translation>
    </message>
    <message>
        <source>Yxy</source>
        <translation>Yxy</translation>
    </message>
    <message>
        <source>Outside the range of specimens the index is defined for</source>
        <translation>Outside the range of specimens the index is defined for</translation>
    </message>
    <message>
        <source>WI</source>
        <translation>WI</translation>
    </message>
    <message>
        <source>Tint</source>
        <translation>Tint</translation>
    </message>
    <message>
        <source>YI %1</source>
        <translation>YI %1</translation>
    </message>
    <message>
        <source>%1 (reference)</source>
        <translation>%1 (reference)</translation>
    </message>
    <message>
        <source>MI (%1)</source>
        <translation>MI (%1)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>%1 and %2 under each illuminant; metamerism index (MI) against %3 by %1 with the additive correction (the differences under %3 taken off). A row passes when %1 and MI are within the limit.</source>
        <translation>%1 and %2 under each illuminant; metamerism index (MI) against %3 by %1 with the additive correction (the differences under %3 taken off). A row passes when %1 and MI are within the limit.</translation>
    </message>
    <message>
        <source>Choose a standard and a sample.</source>
        <translation>Choose a standard and a sample.</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>Result: %1</translation>
    </message>
    <message>
        <source>ASTM E313 yellowness under %1</source>
        <translation>ASTM E313 yellowness under %1</translation>
    </message>
    <message>
        <source>CIE whiteness and tint under D65</source>
        <translation>CIE whiteness and tint under D65</translation>
    </message>
    <message>
        <source>Take as standard…</source>
        <translation>Take as standard…</translation>
    </message>
    <message>
        <source>Take the chosen curve as a library standard</source>
        <translation>Take the chosen curve as a library standard</translation>
    </message>
    <message>
        <source>Take as standard</source>
        <translation>Take as standard</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is now a standard of the library.</source>
        <translation>&quot;%1&quot; is now a standard of the library.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not taken as a standard: %2</source>
        <translation>&quot;%1&quot; was not taken as a standard: %2</translation>
    </message>
</context>
<context>
    <name>StandardColorUpload</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
    <message>
        <source>File error, cannot read %1: a standard-colour workbook must be named %2.</source>
        <translation>File error, cannot read %1: a standard-colour workbook must be named %2.</translation>
    </message>
    <message>
        <source>Can't open file!</source>
        <translation>Can't open file!</translation>
    </message>
    <message>
        <source>Failed to write the total number of standard color cards!</source>
        <translation>Failed to write the total number of standard color cards!</translation>
    </message>
    <message>
        <source>Failed to write standard color card information!</source>
        <translation>Failed to write standard color card information!</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>Storing data,please wait...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>cancel</translation>
    </message>
    <message>
        <source>Failed to write standard color card data!</source>
        <translation>Failed to write standard color card data!</translation>
    </message>
    <message>
        <source>Failed to write!</source>
        <translation>Failed to write!</translation>
    </message>
    <message>
        <source>Failed to write empty packet!</source>
        <translation>Failed to write empty packet!</translation>
    </message>
    <message>
        <source>Write to standard color card library successfully!</source>
        <translation>Write to standard color card library successfully!</translation>
    </message>
    <message>
        <source>Standard colours (*.xlsx *.ti3 *.txt *.cxf)</source>
        <translation>Standard colours (*.xlsx *.ti3 *.txt *.cxf)</translation>
    </message>
    <message>
        <source>CGATS standards (*.ti3 *.txt)</source>
        <translation>CGATS standards (*.ti3 *.txt)</translation>
    </message>
    <message>
        <source>CxF3 standards (*.cxf)</source>
        <translation>CxF3 standards (*.cxf)</translation>
    </message>
    <message>
        <source>The standards in %1 cannot be read: %2</source>
        <translation>The standards in %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Nothing was written: these standards have no L*a*b* values: %1</source>
        <translation>Nothing was written: these standards have no L*a*b* values: %1</translation>
    </message>
    <message>
        <source>The standards cannot be written: %1</source>
        <translation>The standards cannot be written: %1</translation>
    </message>
</context>
<context>
    <name>StandardColorSheet</name>
    <message>
        <source>Failed to read excel file!</source>
        <translation>Failed to read excel file!</translation>
    </message>
    <message>
        <source>The written contents do not match and cannot be written!</source>
        <translation>The written contents do not match and cannot be written!</translation>
    </message>
    <message>
        <source>Row 2 must hold the number of standard color cards and its checksum, but the sheet ends at row 1.</source>
        <translation>Row 2 must hold the number of standard color cards and its checksum, but the sheet ends at row 1.</translation>
    </message>
    <message>
        <source>Row 2: the number of standard color cards must be a whole number from 0 to %1, not &quot;%2&quot;.</source>
        <translation>Row 2: the number of standard color cards must be a whole number from 0 to %1, not &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Row 2: the checksum &quot;%1&quot; does not match the number of standard color cards.</source>
        <translation>Row 2: the checksum &quot;%1&quot; does not match the number of standard color cards.</translation>
    </message>
    <message>
        <source>Row %1 should hold standard color card %2, but the sheet ends at row %3.</source>
        <translation>Row %1 should hold standard color card %2, but the sheet ends at row %3.</translation>
    </message>
    <message>
        <source>Row %1: the card name &quot;%2&quot; takes more than %3 bytes.</source>
        <translation>Row %1: the card name &quot;%2&quot; takes more than %3 bytes.</translation>
    </message>
    <message>
        <source>Row %1: &quot;%2&quot; in column %3 is not a whole number from 0 to 65535.</source>
        <translation>Row %1: &quot;%2&quot; in column %3 is not a whole number from 0 to 65535.</translation>
    </message>
    <message>
        <source>Row %1: the checksum &quot;%2&quot; does not match the standard color card.</source>
        <translation>Row %1: the checksum &quot;%2&quot; does not match the standard color card.</translation>
    </message>
    <message>
        <source>Error in Excel file with not enough rows of standard color cards!</source>
        <translation>Error in Excel file with not enough rows of standard color cards!</translation>
    </message>
    <message>
        <source>Row %1: the name &quot;%2&quot; takes more than %3 bytes.</source>
        <translation>Row %1: the name &quot;%2&quot; takes more than %3 bytes.</translation>
    </message>
    <message>
        <source>Row %1: &quot;%2&quot; in column %3 is no number from -327.68 to 655.35.</source>
        <translation>Row %1: &quot;%2&quot; in column %3 is no number from -327.68 to 655.35.</translation>
    </message>
</context>
<context>
    <name>SpreadsheetExport</name>
    <message>
        <source>The data were stored, but the statistics sheet could not be added: %1</source>
        <translation>The data were stored, but the statistics sheet could not be added: %1</translation>
    </message>
    <message>
        <source>Storing data to Excel</source>
        <translation>Storing data to Excel</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Can't overwrite this file, maybe the file is in use!</source>
        <translation>Can't overwrite this file, maybe the file is in use!</translation>
    </message>
    <message>
        <source>Failed to store data, can't open file!</source>
        <translation>Failed to store data, can't open file!</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>Storing data,please wait...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>cancel</translation>
    </message>
    <message>
        <source>Failed to export data to excel file</source>
        <translation>Failed to export data to excel file</translation>
    </message>
    <message>
        <source>Storing data</source>
        <translation>Storing data</translation>
    </message>
    <message>
        <source>Export cancelled: %1 of %2 records were stored to the file, and the records are kept.</source>
        <translation>Export cancelled: %1 of %2 records were stored to the file, and the records are kept.</translation>
    </message>
    <message>
        <source>Data stored to file Success</source>
        <translation>Data stored to file Success</translation>
    </message>
    <message>
        <source>No data for Storing to Excel!</source>
        <translation>No data for Storing to Excel!</translation>
    </message>
    <message>
        <source>Can't create a file in the folder %1: the folder is read-only. Please choose another folder.</source>
        <translation>Can't create a file in the folder %1: the folder is read-only. Please choose another folder.</translation>
    </message>
    <message>
        <source>CSV, UTF-8 (*.csv)</source>
        <translation>CSV, UTF-8 (*.csv)</translation>
    </message>
    <message>
        <source>CGATS measurement file (*.ti3)</source>
        <translation>CGATS measurement file (*.ti3)</translation>
    </message>
    <message>
        <source>CxF3 colour exchange (*.cxf)</source>
        <translation>CxF3 colour exchange (*.cxf)</translation>
    </message>
    <message>
        <source>Failed to store data: %1</source>
        <translation>Failed to store data: %1</translation>
    </message>
    <message>
        <source>the records hold no L*a*b* values, which this format carries; choose CSV or a workbook</source>
        <translation>the records hold no L*a*b* values, which this format carries; choose CSV or a workbook</translation>
    </message>
    <message>
        <source>the table's records are not at hand (%1 of %2)</source>
        <translation>the table's records are not at hand (%1 of %2)</translation>
    </message>
    <message>
        <source>The data were stored, but the colour sheet could not be added: %1</source>
        <translation>The data were stored, but the colour sheet could not be added: %1</translation>
    </message>
    <message>
        <source>Some rows were read several times. Write one set per reading to the CGATS file? (No: the mean or median of their readings.)</source>
        <translation>Some rows were read several times. Write one set per reading to the CGATS file? (No: the mean or median of their readings.)</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Replace file</source>
        <translation>Replace file</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>StatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Standard:</source>
        <translation>Standard:</translation>
    </message>
    <message>
        <source>Chart of:</source>
        <translation>Chart of:</translation>
    </message>
    <message>
        <source>Control limits from:</source>
        <translation>Control limits from:</translation>
    </message>
    <message>
        <source>All samples</source>
        <translation>All samples</translation>
    </message>
    <message>
        <source>The first samples (frozen)</source>
        <translation>The first samples (frozen)</translation>
    </message>
    <message>
        <source>A range of samples (frozen)</source>
        <translation>A range of samples (frozen)</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>Rows: %1    PASS: %2    NG: %3    Pass rate: %4</source>
        <translation>Rows: %1    PASS: %2    NG: %3    Pass rate: %4</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>NG</translation>
    </message>
    <message>
        <source>%1 to %2: %3 samples</source>
        <translation>%1 to %2: %3 samples</translation>
    </message>
    <message>
        <source>Individuals: %1</source>
        <translation>Individuals: %1</translation>
    </message>
    <message>
        <source>Moving range</source>
        <translation>Moving range</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>a*b* plane</source>
        <translation>a*b* plane</translation>
    </message>
    <message>
        <source>Histogram: %1</source>
        <translation>Histogram: %1</translation>
    </message>
    <message>
        <source>Rows: %1    PASS: %2    NG: %3    Warnings: %5    Pass rate: %4</source>
        <translation>Rows: %1    PASS: %2    NG: %3    Warnings: %5    Pass rate: %4</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>ΔHaze</source>
        <translation>ΔHaze</translation>
    </message>
    <message>
        <source>ΔT</source>
        <translation>ΔT</translation>
    </message>
    <message>
        <source>gamma</source>
        <translation>gamma</translation>
    </message>
    <message>
        <source>log-normal</source>
        <translation>log-normal</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>NG</translation>
    </message>
    <message>
        <source>Pass rate</source>
        <translation>Pass rate</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>SD</source>
        <translation>SD</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>P95</source>
        <translation>P95</translation>
    </message>
    <message>
        <source>Cp</source>
        <translation>Cp</translation>
    </message>
    <message>
        <source>Cpk</source>
        <translation>Cpk</translation>
    </message>
    <message>
        <source>Pp</source>
        <translation>Pp</translation>
    </message>
    <message>
        <source>Ppk</source>
        <translation>Ppk</translation>
    </message>
    <message>
        <source>Cpk 95% lower</source>
        <translation>Cpk 95% lower</translation>
    </message>
    <message>
        <source>Ppk 95% lower</source>
        <translation>Ppk 95% lower</translation>
    </message>
    <message>
        <source>Percentile index</source>
        <translation>Percentile index</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>All rows</source>
        <translation>All rows</translation>
    </message>
    <message>
        <source>Standard %1 (%2)</source>
        <translation>Standard %1 (%2)</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>%1 v%2 (%3)</source>
        <translation>%1 v%2 (%3)</translation>
    </message>
</context>
<context>
    <name>ReportStatistics</name>
    <message>
        <source>Statistics of the work</source>
        <translation>Statistics of the work</translation>
    </message>
    <message>
        <source>Rows: %1    PASS: %2    NG: %3</source>
        <translation>Rows: %1    PASS: %2    NG: %3</translation>
    </message>
</context>
<context>
    <name>CgatsWriter</name>
    <message>
        <source>The samples have neither L*a*b* values nor a spectrum.</source>
        <translation>The samples have neither L*a*b* values nor a spectrum.</translation>
    </message>
    <message>
        <source>More samples than announced (%1).</source>
        <translation>More samples than announced (%1).</translation>
    </message>
    <message>
        <source>Sample &quot;%1&quot; has no L*a*b* values.</source>
        <translation>Sample &quot;%1&quot; has no L*a*b* values.</translation>
    </message>
    <message>
        <source>Sample &quot;%1&quot; has no spectrum.</source>
        <translation>Sample &quot;%1&quot; has no spectrum.</translation>
    </message>
    <message>
        <source>%1 samples written, %2 announced.</source>
        <translation>%1 samples written, %2 announced.</translation>
    </message>
    <message>
        <source>Sample &quot;%1&quot; has no computed colour.</source>
        <translation>Sample &quot;%1&quot; has no computed colour.</translation>
    </message>
</context>
<context>
    <name>CgatsReader</name>
    <message>
        <source>a quoted string is not closed</source>
        <translation>a quoted string is not closed</translation>
    </message>
    <message>
        <source>more than %1 fields</source>
        <translation>more than %1 fields</translation>
    </message>
    <message>
        <source>BEGIN_DATA_FORMAT has no END_DATA_FORMAT</source>
        <translation>BEGIN_DATA_FORMAT has no END_DATA_FORMAT</translation>
    </message>
    <message>
        <source>BEGIN_DATA comes before the field list (BEGIN_DATA_FORMAT)</source>
        <translation>BEGIN_DATA comes before the field list (BEGIN_DATA_FORMAT)</translation>
    </message>
    <message>
        <source>NUMBER_OF_FIELDS is missing</source>
        <translation>NUMBER_OF_FIELDS is missing</translation>
    </message>
    <message>
        <source>NUMBER_OF_FIELDS says %1, the field list has %2</source>
        <translation>NUMBER_OF_FIELDS says %1, the field list has %2</translation>
    </message>
    <message>
        <source>NUMBER_OF_SETS is missing</source>
        <translation>NUMBER_OF_SETS is missing</translation>
    </message>
    <message>
        <source>field %1 is listed twice</source>
        <translation>field %1 is listed twice</translation>
    </message>
    <message>
        <source>neither SAMPLE_ID nor SAMPLE_NAME is among the fields</source>
        <translation>neither SAMPLE_ID nor SAMPLE_NAME is among the fields</translation>
    </message>
    <message>
        <source>D65LAB_L, D65LAB_A and D65LAB_B must come together</source>
        <translation>D65LAB_L, D65LAB_A and D65LAB_B must come together</translation>
    </message>
    <message>
        <source>SPEC_%1 is missing: a spectrum needs every band from 400 to 700 nm in 10 nm steps</source>
        <translation>SPEC_%1 is missing: a spectrum needs every band from 400 to 700 nm in 10 nm steps</translation>
    </message>
    <message>
        <source>no D65LAB_L/A/B fields and no spectrum (LAB_L/A/B hold values for the D50 white, not the instrument's D65/10°)</source>
        <translation>no D65LAB_L/A/B fields and no spectrum (LAB_L/A/B hold values for the D50 white, not the instrument's D65/10°)</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; has a comma as its decimal mark; CGATS numbers use a point</source>
        <translation>%1 value &quot;%2&quot; has a comma as its decimal mark; CGATS numbers use a point</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; is not a number</source>
        <translation>%1 value &quot;%2&quot; is not a number</translation>
    </message>
    <message>
        <source>%1 values, NUMBER_OF_FIELDS is %2</source>
        <translation>%1 values, NUMBER_OF_FIELDS is %2</translation>
    </message>
    <message>
        <source>more sets than NUMBER_OF_SETS (%1)</source>
        <translation>more sets than NUMBER_OF_SETS (%1)</translation>
    </message>
    <message>
        <source>reading was stopped</source>
        <translation>reading was stopped</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>a CGATS file starts with its file identifier (such as CTI3)</source>
        <translation>a CGATS file starts with its file identifier (such as CTI3)</translation>
    </message>
    <message>
        <source>the file ends before BEGIN_DATA</source>
        <translation>the file ends before BEGIN_DATA</translation>
    </message>
    <message>
        <source>a second BEGIN_DATA_FORMAT</source>
        <translation>a second BEGIN_DATA_FORMAT</translation>
    </message>
    <message>
        <source>%1 needs a whole number</source>
        <translation>%1 needs a whole number</translation>
    </message>
    <message>
        <source>SPECTRAL_NORM needs a positive number</source>
        <translation>SPECTRAL_NORM needs a positive number</translation>
    </message>
    <message>
        <source>%1 without its beginning</source>
        <translation>%1 without its beginning</translation>
    </message>
    <message>
        <source>the file ends without END_DATA</source>
        <translation>the file ends without END_DATA</translation>
    </message>
    <message>
        <source>NUMBER_OF_SETS says %1, the data holds %2 (END_DATA on line %3)</source>
        <translation>NUMBER_OF_SETS says %1, the data holds %2 (END_DATA on line %3)</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; is out of range</source>
        <translation>%1 value &quot;%2&quot; is out of range</translation>
    </message>
    <message>
        <source>SPEC_%1 is out of range for SPECTRAL_NORM</source>
        <translation>SPEC_%1 is out of range for SPECTRAL_NORM</translation>
    </message>
</context>
<context>
    <name>CxfWriter</name>
    <message>
        <source>Sample &quot;%1&quot; has neither L*a*b* values nor a spectrum.</source>
        <translation>Sample &quot;%1&quot; has neither L*a*b* values nor a spectrum.</translation>
    </message>
</context>
<context>
    <name>CxfReader</name>
    <message>
        <source>%1 value &quot;%2&quot; has a comma as its decimal mark; CxF numbers use a point</source>
        <translation>%1 value &quot;%2&quot; has a comma as its decimal mark; CxF numbers use a point</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; is not a number</source>
        <translation>%1 value &quot;%2&quot; is not a number</translation>
    </message>
    <message>
        <source>Object without Id</source>
        <translation>Object without Id</translation>
    </message>
    <message>
        <source>CreationDate &quot;%1&quot; is no date and time</source>
        <translation>CreationDate &quot;%1&quot; is no date and time</translation>
    </message>
    <message>
        <source>StartWL needs a whole number of nanometres</source>
        <translation>StartWL needs a whole number of nanometres</translation>
    </message>
    <message>
        <source>%1 holds more than 4096 values</source>
        <translation>%1 holds more than 4096 values</translation>
    </message>
    <message>
        <source>WavelengthRange needs whole numbers for StartWL and Increment</source>
        <translation>WavelengthRange needs whole numbers for StartWL and Increment</translation>
    </message>
    <message>
        <source>Object &quot;%1&quot;</source>
        <translation>Object &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1: ColorCIELab needs L, A and B</source>
        <translation>%1: ColorCIELab needs L, A and B</translation>
    </message>
    <message>
        <source>%1: ColorSpecification &quot;%2&quot; is not defined</source>
        <translation>%1: ColorSpecification &quot;%2&quot; is not defined</translation>
    </message>
    <message>
        <source>%1: its ColorCIELab is for %2/%3; standards need D65/10_Degree</source>
        <translation>%1: its ColorCIELab is for %2/%3; standards need D65/10_Degree</translation>
    </message>
    <message>
        <source>%1: the spectrum has no StartWL</source>
        <translation>%1: the spectrum has no StartWL</translation>
    </message>
    <message>
        <source>%1: the spectrum (from %2 nm in %3 nm steps) has no band at 400 nm, 410 nm, … 700 nm</source>
        <translation>%1: the spectrum (from %2 nm in %3 nm steps) has no band at 400 nm, 410 nm, … 700 nm</translation>
    </message>
    <message>
        <source>%1: the spectrum is missing bands from %2 nm on</source>
        <translation>%1: the spectrum is missing bands from %2 nm on</translation>
    </message>
    <message>
        <source>%1 has neither ColorCIELab nor a spectrum</source>
        <translation>%1 has neither ColorCIELab nor a spectrum</translation>
    </message>
    <message>
        <source>document type declarations are not accepted</source>
        <translation>document type declarations are not accepted</translation>
    </message>
    <message>
        <source>elements are nested deeper than %1 levels</source>
        <translation>elements are nested deeper than %1 levels</translation>
    </message>
    <message>
        <source>the root element is {%1}%2, not CxF in the namespace %3</source>
        <translation>the root element is {%1}%2, not CxF in the namespace %3</translation>
    </message>
    <message>
        <source>the file holds no XML element</source>
        <translation>the file holds no XML element</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; is out of range</source>
        <translation>%1 value &quot;%2&quot; is out of range</translation>
    </message>
    <message>
        <source>Object &quot;%1&quot;: ColorCIEXYZ needs X, Y and Z</source>
        <translation>Object &quot;%1&quot;: ColorCIEXYZ needs X, Y and Z</translation>
    </message>
</context>
<context>
    <name>ExchangeReader</name>
    <message>
        <source>line %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
</context>
<context>
    <name>ExchangeWriter</name>
    <message>
        <source>Cannot write the file: %1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>a quoted cell is never closed</source>
        <translation>a quoted cell is never closed</translation>
    </message>
    <message>
        <source>text after a closing quote</source>
        <translation>text after a closing quote</translation>
    </message>
    <message>
        <source>a quote inside an unquoted cell</source>
        <translation>a quote inside an unquoted cell</translation>
    </message>
    <message>
        <source>a carriage return without a line feed</source>
        <translation>a carriage return without a line feed</translation>
    </message>
    <message>
        <source>the file has no header row</source>
        <translation>the file has no header row</translation>
    </message>
    <message>
        <source>the header row is not that of a comparison table</source>
        <translation>the header row is not that of a comparison table</translation>
    </message>
    <message>
        <source>%1 cells, the header has %2</source>
        <translation>%1 cells, the header has %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number</source>
        <translation>%1: &quot;%2&quot; is not a number</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no time</source>
        <translation>%1: &quot;%2&quot; is no time</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is neither %3 nor %4</source>
        <translation>%1: &quot;%2&quot; is neither %3 nor %4</translation>
    </message>
    <message>
        <source>the header row is not that of a spectral table</source>
        <translation>the header row is not that of a spectral table</translation>
    </message>
    <message>
        <source>column %1 should be %2, not &quot;%3&quot;</source>
        <translation>column %1 should be %2, not &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a version</source>
        <translation>%1: &quot;%2&quot; is not a version</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is neither WARNING nor empty</source>
        <translation>%1: &quot;%2&quot; is neither WARNING nor empty</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no limit</source>
        <translation>%1: &quot;%2&quot; is no limit</translation>
    </message>
</context>
<context>
    <name>StandardColorExchange</name>
    <message>
        <source>the file holds no standards</source>
        <translation>the file holds no standards</translation>
    </message>
    <message>
        <source>the file holds %1 standards; a library takes at most 65535</source>
        <translation>the file holds %1 standards; a library takes at most 65535</translation>
    </message>
    <message>
        <source>standard &quot;%1&quot; has no L*a*b* values for D65/10°</source>
        <translation>standard &quot;%1&quot; has no L*a*b* values for D65/10°</translation>
    </message>
    <message>
        <source>the name of standard &quot;%1&quot; takes more than %2 bytes</source>
        <translation>the name of standard &quot;%1&quot; takes more than %2 bytes</translation>
    </message>
    <message>
        <source>standard &quot;%1&quot; has a value (%2) the library cannot hold</source>
        <translation>standard &quot;%1&quot; has a value (%2) the library cannot hold</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>the instrument to use when several are attached</source>
        <translation>the instrument to use when several are attached</translation>
    </message>
    <message>
        <source>add an emulated instrument (TX310 unless named); may be repeated</source>
        <translation>add an emulated instrument (TX310 unless named); may be repeated</translation>
    </message>
    <message>
        <source>one JSON object per result, with &quot;schema&quot;: 1</source>
        <translation>one JSON object per result, with &quot;schema&quot;: 1</translation>
    </message>
    <message>
        <source>the language of messages (default: the locale's)</source>
        <translation>the language of messages (default: the locale's)</translation>
    </message>
    <message>
        <source>this help, or the help of a command</source>
        <translation>this help, or the help of a command</translation>
    </message>
    <message>
        <source>the version</source>
        <translation>the version</translation>
    </message>
    <message>
        <source>set the display mode first: hazet, haze, t, lab, lch, yxy, hazetlab</source>
        <translation>set the display mode first: hazet, haze, t, lab, lch, yxy, hazetlab</translation>
    </message>
    <message>
        <source>csv (the default), json, cgats, cxf or xlsx (with -o)</source>
        <translation>csv (the default), json, cgats, cxf or xlsx (with -o)</translation>
    </message>
    <message>
        <source>write to FILE instead of standard output (-o)</source>
        <translation>write to FILE instead of standard output (-o)</translation>
    </message>
    <message>
        <source>list the attached instruments: path, serial number, model, firmware</source>
        <translation>list the attached instruments: path, serial number, model, firmware</translation>
    </message>
    <message>
        <source>model, serial number, firmware, layout and display mode</source>
        <translation>model, serial number, firmware, layout and display mode</translation>
    </message>
    <message>
        <source>one measurement, in the display mode in force</source>
        <translation>one measurement, in the display mode in force</translation>
    </message>
    <message>
        <source>one comparison (N with --count), judged as the window judges; NG gives exit status 1</source>
        <translation>one comparison (N with --count), judged as the window judges; NG gives exit status 1</translation>
    </message>
    <message>
        <source>the standard: values (L=50,a=1,b=2 or the mode's values in order), a file, or a measurement</source>
        <translation>the standard: values (L=50,a=1,b=2 or the mode's values in order), a file, or a measurement</translation>
    </message>
    <message>
        <source>the sample (default measure); key waits for the instrument's measuring key</source>
        <translation>the sample (default measure); key waits for the instrument's measuring key</translation>
    </message>
    <message>
        <source>N samples against the one standard (JSON lines with --json)</source>
        <translation>N samples against the one standard (JSON lines with --json)</translation>
    </message>
    <message>
        <source>judge against these instead of the instrument's tolerances</source>
        <translation>judge against these instead of the instrument's tolerances</translation>
    </message>
    <message>
        <source>how long to wait for the measuring key (default 60)</source>
        <translation>how long to wait for the measuring key (default 60)</translation>
    </message>
    <message>
        <source>the tolerances, formula, threshold and display mode</source>
        <translation>the tolerances, formula, threshold and display mode</translation>
    </message>
    <message>
        <source>change the instrument's settings; the others stay as stored</source>
        <translation>change the instrument's settings; the others stay as stored</translation>
    </message>
    <message>
        <source>haze tolerance in percent, 0 to 100</source>
        <translation>haze tolerance in percent, 0 to 100</translation>
    </message>
    <message>
        <source>transmittance tolerance in percent, 0 to 100</source>
        <translation>transmittance tolerance in percent, 0 to 100</translation>
    </message>
    <message>
        <source>delta-E threshold, 0.1 to 50</source>
        <translation>delta-E threshold, 0.1 to 50</translation>
    </message>
    <message>
        <source>colour-difference formula: ab, uv, 94, cmc2:1, cmc1:1, cmc1.4:1, 00 (or its code)</source>
        <translation>colour-difference formula: ab, uv, 94, cmc2:1, cmc1:1, cmc1.4:1, 00 (or its code)</translation>
    </message>
    <message>
        <source>the comparison records stored in the instrument</source>
        <translation>the comparison records stored in the instrument</translation>
    </message>
    <message>
        <source>the spectral records stored in the instrument</source>
        <translation>the spectral records stored in the instrument</translation>
    </message>
    <message>
        <source>send a standard-colour library (workbook, CGATS or CxF3), checked whole before anything is sent</source>
        <translation>send a standard-colour library (workbook, CGATS or CxF3), checked whole before anything is sent</translation>
    </message>
    <message>
        <source>the comparisons the window kept in its journal, without starting it</source>
        <translation>the comparisons the window kept in its journal, without starting it</translation>
    </message>
    <message>
        <source>only records from DATE (yyyy-MM-dd or yyyy-MM-ddThh:mm) on</source>
        <translation>only records from DATE (yyyy-MM-dd or yyyy-MM-ddThh:mm) on</translation>
    </message>
    <message>
        <source>only records of this display mode</source>
        <translation>only records of this display mode</translation>
    </message>
    <message>
        <source>Unknown option %1.</source>
        <translation>Unknown option %1.</translation>
    </message>
    <message>
        <source>Unknown option --%1.</source>
        <translation>Unknown option --%1.</translation>
    </message>
    <message>
        <source>--%1 takes no value.</source>
        <translation>--%1 takes no value.</translation>
    </message>
    <message>
        <source>--%1 needs a value.</source>
        <translation>--%1 needs a value.</translation>
    </message>
    <message>
        <source>Exit status:
  0  every comparison PASS, or the operation succeeded
  1  at least one comparison NG
  2  the command line is wrong (also: several instruments and no --device)
  3  no instrument, the one named is absent, or the Tintwell window holds it
  4  the instrument refused or did not answer in time
  5  a file could not be read or written
</source>
        <translation>Exit status:
  0  every comparison PASS, or the operation succeeded
  1  at least one comparison NG
  2  the command line is wrong (also: several instruments and no --device)
  3  no instrument, the one named is absent, or the Tintwell window holds it
  4  the instrument refused or did not answer in time
  5  a file could not be read or written
</translation>
    </message>
    <message>
        <source>Usage: tintwell-cli [OPTIONS] COMMAND [ARGUMENTS]
Every instrument operation from a script. Results go to standard output,
messages to standard error; it never asks anything.

Commands:
</source>
        <translation>Usage: tintwell-cli [OPTIONS] COMMAND [ARGUMENTS]
Every instrument operation from a script. Results go to standard output,
messages to standard error; it never asks anything.

Commands:
</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>&quot;tintwell-cli COMMAND --help&quot; describes a command; &quot;man tintwell-cli&quot; all of them.
</source>
        <translation>&quot;tintwell-cli COMMAND --help&quot; describes a command; &quot;man tintwell-cli&quot; all of them.
</translation>
    </message>
    <message>
        <source>--lang takes zh or en.</source>
        <translation>--lang takes zh or en.</translation>
    </message>
    <message>
        <source>Try &quot;tintwell-cli --help&quot;.</source>
        <translation>Try &quot;tintwell-cli --help&quot;.</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>No command given.</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;.</source>
        <translation>Unknown command &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>%1 takes no --%2.</source>
        <translation>%1 takes no --%2.</translation>
    </message>
    <message>
        <source>Usage: tintwell-cli %1 %2</source>
        <translation>Usage: tintwell-cli %1 %2</translation>
    </message>
    <message>
        <source>No instrument is attached.</source>
        <translation>No instrument is attached.</translation>
    </message>
    <message>
        <source>Several instruments are attached; name one with --device:</source>
        <translation>Several instruments are attached; name one with --device:</translation>
    </message>
    <message>
        <source>No instrument is attached at %1.</source>
        <translation>No instrument is attached at %1.</translation>
    </message>
    <message>
        <source>--device takes serial:SERIAL or path:PATH.</source>
        <translation>--device takes serial:SERIAL or path:PATH.</translation>
    </message>
    <message>
        <source>The Tintwell window is running and holds the instrument; close the window first.</source>
        <translation>The Tintwell window is running and holds the instrument; close the window first.</translation>
    </message>
    <message>
        <source>The instrument at %1 cannot be opened (is the udev rule installed?).</source>
        <translation>The instrument at %1 cannot be opened (is the udev rule installed?).</translation>
    </message>
    <message>
        <source>The instrument did not answer as expected.</source>
        <translation>The instrument did not answer as expected.</translation>
    </message>
    <message>
        <source>No instrument with serial number %1 is attached.</source>
        <translation>No instrument with serial number %1 is attached.</translation>
    </message>
    <message>
        <source>Unknown instrument model &quot;%1&quot;; choose one of %2.</source>
        <translation>Unknown instrument model &quot;%1&quot;; choose one of %2.</translation>
    </message>
    <message>
        <source>Invalid software version &quot;%1&quot;; write it as 312 or 3.12.</source>
        <translation>Invalid software version &quot;%1&quot;; write it as 312 or 3.12.</translation>
    </message>
    <message>
        <source>--format takes one of %1.</source>
        <translation>--format takes one of %1.</translation>
    </message>
    <message>
        <source>A workbook is written to a file: add -o FILE.</source>
        <translation>A workbook is written to a file: add -o FILE.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 cannot be written: %2</translation>
    </message>
    <message>
        <source>%1 cannot be written.</source>
        <translation>%1 cannot be written.</translation>
    </message>
    <message>
        <source>These records hold no L*a*b* values, which %1 carries; choose csv or json.</source>
        <translation>These records hold no L*a*b* values, which %1 carries; choose csv or json.</translation>
    </message>
    <message>
        <source>Records read: %1.</source>
        <translation>Records read: %1.</translation>
    </message>
    <message>
        <source>The spectral records could not be read.</source>
        <translation>The spectral records could not be read.</translation>
    </message>
    <message>
        <source>Spectral records read: %1.</source>
        <translation>Spectral records read: %1.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>The %1 keeps no standard-colour library.</source>
        <translation>The %1 keeps no standard-colour library.</translation>
    </message>
    <message>
        <source>%1 cannot be written to the instrument: %2</source>
        <translation>%1 cannot be written to the instrument: %2</translation>
    </message>
    <message>
        <source>Standard colours written: %1 card(s), %2 row(s).</source>
        <translation>Standard colours written: %1 card(s), %2 row(s).</translation>
    </message>
    <message>
        <source>--mode takes one of %1.</source>
        <translation>--mode takes one of %1.</translation>
    </message>
    <message>
        <source>No journal at %1: the window has kept nothing yet.</source>
        <translation>No journal at %1: the window has kept nothing yet.</translation>
    </message>
    <message>
        <source>The journal holds records of several display modes; choose one with --mode, or --format json or cgats.</source>
        <translation>The journal holds records of several display modes; choose one with --mode, or --format json or cgats.</translation>
    </message>
    <message>
        <source>A first-generation colorimeter has no display mode to set.</source>
        <translation>A first-generation colorimeter has no display mode to set.</translation>
    </message>
    <message>
        <source>The %1 does not offer the display mode %2.</source>
        <translation>The %1 does not offer the display mode %2.</translation>
    </message>
    <message>
        <source>The instrument did not take the display mode.</source>
        <translation>The instrument did not take the display mode.</translation>
    </message>
    <message>
        <source>The measurement failed (the instrument answered %1).</source>
        <translation>The measurement failed (the instrument answered %1).</translation>
    </message>
    <message>
        <source>--wait takes a number of seconds.</source>
        <translation>--wait takes a number of seconds.</translation>
    </message>
    <message>
        <source>Press the instrument's measuring key for the %1 (waiting %2 s).</source>
        <translation>Press the instrument's measuring key for the %1 (waiting %2 s).</translation>
    </message>
    <message>
        <source>No result came from the measuring key within %1 s.</source>
        <translation>No result came from the measuring key within %1 s.</translation>
    </message>
    <message>
        <source>The %1: %2</source>
        <translation>The %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a tolerance.</source>
        <translation>&quot;%1&quot; is not a tolerance.</translation>
    </message>
    <message>
        <source>--tolerance takes haze=, t= and de= (or one delta-E threshold).</source>
        <translation>--tolerance takes haze=, t= and de= (or one delta-E threshold).</translation>
    </message>
    <message>
        <source>compare needs --standard VALUES|FILE|measure.</source>
        <translation>compare needs --standard VALUES|FILE|measure.</translation>
    </message>
    <message>
        <source>--count takes a number of samples from 1 up.</source>
        <translation>--count takes a number of samples from 1 up.</translation>
    </message>
    <message>
        <source>--count needs --sample measure or key.</source>
        <translation>--count needs --sample measure or key.</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>standard</translation>
    </message>
    <message>
        <source>sample %1 of %2</source>
        <translation>sample %1 of %2</translation>
    </message>
    <message>
        <source>sample</source>
        <translation>sample</translation>
    </message>
    <message>
        <source>settings set needs at least one of --%1.</source>
        <translation>settings set needs at least one of --%1.</translation>
    </message>
    <message>
        <source>The %1 keeps a colour-difference formula and threshold, no haze or transmittance tolerance.</source>
        <translation>The %1 keeps a colour-difference formula and threshold, no haze or transmittance tolerance.</translation>
    </message>
    <message>
        <source>The %1 judges with a fixed formula; set --threshold alone.</source>
        <translation>The %1 judges with a fixed formula; set --threshold alone.</translation>
    </message>
    <message>
        <source>--formula takes one of %1.</source>
        <translation>--formula takes one of %1.</translation>
    </message>
    <message>
        <source>The instrument did not take the colour-difference parameter.</source>
        <translation>The instrument did not take the colour-difference parameter.</translation>
    </message>
    <message>
        <source>The %1 judges with a fixed formula; it takes no --formula.</source>
        <translation>The %1 judges with a fixed formula; it takes no --formula.</translation>
    </message>
    <message>
        <source>The instrument did not take the tolerances.</source>
        <translation>The instrument did not take the tolerances.</translation>
    </message>
    <message>
        <source>The settings could not be read back.</source>
        <translation>The settings could not be read back.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a value of this instrument; use %2.</source>
        <translation>&quot;%1&quot; is not a value of this instrument; use %2.</translation>
    </message>
    <message>
        <source>The comparison needs %1.</source>
        <translation>The comparison needs %1.</translation>
    </message>
    <message>
        <source>Too many values: this display mode shows %1.</source>
        <translation>Too many values: this display mode shows %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number.</source>
        <translation>&quot;%1&quot; is not a number.</translation>
    </message>
    <message>
        <source>the station database's server: host name, address or socket folder</source>
        <translation>the station database's server: host name, address or socket folder</translation>
    </message>
    <message>
        <source>the server's port (default 5432)</source>
        <translation>the server's port (default 5432)</translation>
    </message>
    <message>
        <source>the database</source>
        <translation>the database</translation>
    </message>
    <message>
        <source>the role to log in as</source>
        <translation>the role to log in as</translation>
    </message>
    <message>
        <source>the certificate authority of the server's certificate (checks the host name)</source>
        <translation>the certificate authority of the server's certificate (checks the host name)</translation>
    </message>
    <message>
        <source>read the password from the first line of standard input</source>
        <translation>read the password from the first line of standard input</translation>
    </message>
    <message>
        <source>apply the station database's schema (as a role that may create tables and roles)</source>
        <translation>apply the station database's schema (as a role that may create tables and roles)</translation>
    </message>
    <message>
        <source>where this station sends its records; the password goes to the desktop's key store</source>
        <translation>where this station sends its records; the password goes to the desktop's key store</translation>
    </message>
    <message>
        <source>this station's name</source>
        <translation>this station's name</translation>
    </message>
    <message>
        <source>connect once and check the schema</source>
        <translation>connect once and check the schema</translation>
    </message>
    <message>
        <source>the records of every station in the station database, or their statistics</source>
        <translation>the records of every station in the station database, or their statistics</translation>
    </message>
    <message>
        <source>records from DATE on</source>
        <translation>records from DATE on</translation>
    </message>
    <message>
        <source>records before DATE</source>
        <translation>records before DATE</translation>
    </message>
    <message>
        <source>records of this station; may be repeated</source>
        <translation>records of this station; may be repeated</translation>
    </message>
    <message>
        <source>records of this instrument model</source>
        <translation>records of this instrument model</translation>
    </message>
    <message>
        <source>records compared with this standard</source>
        <translation>records compared with this standard</translation>
    </message>
    <message>
        <source>test names matching PATTERN (* and ? as wildcards)</source>
        <translation>test names matching PATTERN (* and ? as wildcards)</translation>
    </message>
    <message>
        <source>only PASS or only NG records</source>
        <translation>only PASS or only NG records</translation>
    </message>
    <message>
        <source>count, PASS count and delta-E statistics instead of the records</source>
        <translation>count, PASS count and delta-E statistics instead of the records</translation>
    </message>
    <message>
        <source>The key store could not be read: %1</source>
        <translation>The key store could not be read: %1</translation>
    </message>
    <message>
        <source>No station database is configured: give --server, --database and --user, or run &quot;tintwell-cli db configure&quot; first.</source>
        <translation>No station database is configured: give --server, --database and --user, or run &quot;tintwell-cli db configure&quot; first.</translation>
    </message>
    <message>
        <source>%1: schema version %2 (was %3)</source>
        <translation>%1: schema version %2 (was %3)</translation>
    </message>
    <message>
        <source>The password was not stored: the key store refused: %1</source>
        <translation>The password was not stored: the key store refused: %1</translation>
    </message>
    <message>
        <source>The station database %1 cannot be reached: %2</source>
        <translation>The station database %1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>Station %1 sends to %2 as %3.</source>
        <translation>Station %1 sends to %2 as %3.</translation>
    </message>
    <message>
        <source>--%1 takes a date (yyyy-MM-dd or yyyy-MM-ddThh:mm), not &quot;%2&quot;.</source>
        <translation>--%1 takes a date (yyyy-MM-dd or yyyy-MM-ddThh:mm), not &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>--verdict takes pass or ng.</source>
        <translation>--verdict takes pass or ng.</translation>
    </message>
    <message>
        <source>read the new role's password from standard input (after the login's line with --password-stdin); without it, the key store's</source>
        <translation>read the new role's password from standard input (after the login's line with --password-stdin); without it, the key store's</translation>
    </message>
    <message>
        <source>create the login role of a station (named NAME unless --role) that writes only its own records</source>
        <translation>create the login role of a station (named NAME unless --role) that writes only its own records</translation>
    </message>
    <message>
        <source>the station's login role (default: its name)</source>
        <translation>the station's login role (default: its name)</translation>
    </message>
    <message>
        <source>create a manager's login role that reads every station's records and writes none</source>
        <translation>create a manager's login role that reads every station's records and writes none</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a role.</source>
        <translation>&quot;%1&quot; cannot be the name of a role.</translation>
    </message>
    <message>
        <source>No password for the role %1: give it on standard input with --new-password-stdin, or store it first with &quot;tintwell-cli db configure --user %1 --password-stdin&quot;.</source>
        <translation>No password for the role %1: give it on standard input with --new-password-stdin, or store it first with &quot;tintwell-cli db configure --user %1 --password-stdin&quot;.</translation>
    </message>
    <message>
        <source>%1: the manager role %2 reads every station's records.</source>
        <translation>%1: the manager role %2 reads every station's records.</translation>
    </message>
    <message>
        <source>%1: station %2 sends as the role %3.</source>
        <translation>%1: station %2 sends as the role %3.</translation>
    </message>
    <message>
        <source>A station needs a name.</source>
        <translation>A station needs a name.</translation>
    </message>
    <message>
        <source>Unknown illuminant &quot;%1&quot;: use one of %2.</source>
        <translation>Unknown illuminant &quot;%1&quot;: use one of %2.</translation>
    </message>
    <message>
        <source>Unknown observer &quot;%1&quot;: use 2 or 10.</source>
        <translation>Unknown observer &quot;%1&quot;: use 2 or 10.</translation>
    </message>
    <message>
        <source>no heading row of a spectral table (No, Name, 400nm … 700nm)</source>
        <translation>no heading row of a spectral table (No, Name, 400nm … 700nm)</translation>
    </message>
    <message>
        <source>row %1, %2nm: &quot;%3&quot; is not a number</source>
        <translation>row %1, %2nm: &quot;%3&quot; is not a number</translation>
    </message>
    <message>
        <source>%1 holds no spectral curves.</source>
        <translation>%1 holds no spectral curves.</translation>
    </message>
    <message>
        <source>No curve named &quot;%1&quot; in %2.</source>
        <translation>No curve named &quot;%1&quot; in %2.</translation>
    </message>
    <message>
        <source>%1 curves are named &quot;%2&quot; in %3: the %4 is ambiguous.</source>
        <translation>%1 curves are named &quot;%2&quot; in %3: the %4 is ambiguous.</translation>
    </message>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>--illuminants names the reference illuminant and the test illuminants, the reference first: --illuminants D65,A,F11.</source>
        <translation>--illuminants names the reference illuminant and the test illuminants, the reference first: --illuminants D65,A,F11.</translation>
    </message>
    <message>
        <source>--%1 NAME names a curve of the file.</source>
        <translation>--%1 NAME names a curve of the file.</translation>
    </message>
    <message>
        <source># standard &quot;%1&quot;, sample &quot;%2&quot;, observer %3; differences sample minus standard, dE_ab CIE 1976, dE00 CIEDE2000</source>
        <translation># standard &quot;%1&quot;, sample &quot;%2&quot;, observer %3; differences sample minus standard, dE_ab CIE 1976, dE00 CIEDE2000</translation>
    </message>
    <message>
        <source># metamerism index against reference %1, additive correction: mi_ab delta-E*ab, mi_00 CIEDE2000</source>
        <translation># metamerism index against reference %1, additive correction: mi_ab delta-E*ab, mi_00 CIEDE2000</translation>
    </message>
    <message>
        <source>illuminant</source>
        <translation>illuminant</translation>
    </message>
    <message>
        <source>E313 yellowness is defined under C and D65, CIE whiteness and tint under D65: none of them under %1.</source>
        <translation>E313 yellowness is defined under C and D65, CIE whiteness and tint under D65: none of them under %1.</translation>
    </message>
    <message>
        <source>CIE whiteness and tint are defined under D65 only, not under %1.</source>
        <translation>CIE whiteness and tint are defined under D65 only, not under %1.</translation>
    </message>
    <message>
        <source># %1; yi_e313 ASTM E313 yellowness, wi_cie and tint_cie CIE whiteness and tint; a range &quot;outside&quot;: beyond the specimens the standard allows</source>
        <translation># %1; yi_e313 ASTM E313 yellowness, wi_cie and tint_cie CIE whiteness and tint; a range &quot;outside&quot;: beyond the specimens the standard allows</translation>
    </message>
    <message>
        <source>E313 range</source>
        <translation>E313 range</translation>
    </message>
    <message>
        <source>CIE range</source>
        <translation>CIE range</translation>
    </message>
    <message>
        <source>inside</source>
        <translation>inside</translation>
    </message>
    <message>
        <source>outside</source>
        <translation>outside</translation>
    </message>
    <message>
        <source>the CIE 1931 2° or 1964 10° observer (default 10)</source>
        <translation>the CIE 1931 2° or 1964 10° observer (default 10)</translation>
    </message>
    <message>
        <source>A, C, D50, D55, D65, D75, F2, F7 or F11 (default D65)</source>
        <translation>A, C, D50, D55, D65, D75, F2, F7 or F11 (default D65)</translation>
    </message>
    <message>
        <source>XYZ and L*a*b* of every curve of a CGATS, CxF3, CSV or workbook file (D65/10° unless given)</source>
        <translation>XYZ and L*a*b* of every curve of a CGATS, CxF3, CSV or workbook file (D65/10° unless given)</translation>
    </message>
    <message>
        <source>differences of two curves under each illuminant, and the metamerism index (additive correction) against the first</source>
        <translation>differences of two curves under each illuminant, and the metamerism index (additive correction) against the first</translation>
    </message>
    <message>
        <source>the standard: the name of a curve of the file</source>
        <translation>the standard: the name of a curve of the file</translation>
    </message>
    <message>
        <source>the sample: the name of a curve of the file</source>
        <translation>the sample: the name of a curve of the file</translation>
    </message>
    <message>
        <source>the reference illuminant first, then the test illuminants</source>
        <translation>the reference illuminant first, then the test illuminants</translation>
    </message>
    <message>
        <source>E313 yellowness, CIE whiteness and tint of every curve, flagged outside their ranges (D65/10° unless given)</source>
        <translation>E313 yellowness, CIE whiteness and tint of every curve, flagged outside their ranges (D65/10° unless given)</translation>
    </message>
    <message>
        <source>the spectral records stored in the instrument, with their colour (D65/10° unless given) in CGATS, CxF3 and the workbook</source>
        <translation>the spectral records stored in the instrument, with their colour (D65/10° unless given) in CGATS, CxF3 and the workbook</translation>
    </message>
    <message>
        <source>report batch needs -o FILE.pdf.</source>
        <translation>report batch needs -o FILE.pdf.</translation>
    </message>
    <message>
        <source>Give --session or --since, not both.</source>
        <translation>Give --session or --since, not both.</translation>
    </message>
    <message>
        <source>--session takes the number of a session of the journal.</source>
        <translation>--session takes the number of a session of the journal.</translation>
    </message>
    <message>
        <source>The report cannot be drawn in this process.</source>
        <translation>The report cannot be drawn in this process.</translation>
    </message>
    <message>
        <source>The journal has no session %1.</source>
        <translation>The journal has no session %1.</translation>
    </message>
    <message>
        <source>session %1</source>
        <translation>session %1</translation>
    </message>
    <message>
        <source>since %1</source>
        <translation>since %1</translation>
    </message>
    <message>
        <source>No rows were compared with a standard named %1.</source>
        <translation>No rows were compared with a standard named %1.</translation>
    </message>
    <message>
        <source>No records to report: the journal holds none of those chosen.</source>
        <translation>No records to report: the journal holds none of those chosen.</translation>
    </message>
    <message>
        <source>Report of %1 records written to %2.</source>
        <translation>Report of %1 records written to %2.</translation>
    </message>
    <message>
        <source>the batch report of the comparisons the window kept in its journal, as a PDF</source>
        <translation>the batch report of the comparisons the window kept in its journal, as a PDF</translation>
    </message>
    <message>
        <source>only the records of this journal session</source>
        <translation>only the records of this journal session</translation>
    </message>
    <message>
        <source>only the rows compared with this standard (its name or number)</source>
        <translation>only the rows compared with this standard (its name or number)</translation>
    </message>
    <message>
        <source>There is no standard &quot;%1&quot; in the library.</source>
        <translation>There is no standard &quot;%1&quot; in the library.</translation>
    </message>
    <message>
        <source>--lab takes three numbers L,a,b, not &quot;%1&quot;.</source>
        <translation>--lab takes three numbers L,a,b, not &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>--%1 takes a number, not &quot;%2&quot;.</source>
        <translation>--%1 takes a number, not &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>--warn takes a percentage from 0 up to 100, not &quot;%1&quot;.</source>
        <translation>--warn takes a percentage from 0 up to 100, not &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Name the library standard by --standard-name or by --standard-code, not both.</source>
        <translation>Name the library standard by --standard-name or by --standard-code, not both.</translation>
    </message>
    <message>
        <source>No standard in the library has the code &quot;%1&quot;.</source>
        <translation>No standard in the library has the code &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Added &quot;%1&quot; (version %2).</source>
        <translation>Added &quot;%1&quot; (version %2).</translation>
    </message>
    <message>
        <source>standards set needs at least one of --%1.</source>
        <translation>standards set needs at least one of --%1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is now version %2.</source>
        <translation>&quot;%1&quot; is now version %2.</translation>
    </message>
    <message>
        <source>Removed &quot;%1&quot;; its versions stay readable.</source>
        <translation>Removed &quot;%1&quot;; its versions stay readable.</translation>
    </message>
    <message>
        <source>%1 added, %2 changed, %3 unchanged.</source>
        <translation>%1 added, %2 changed, %3 unchanged.</translation>
    </message>
    <message>
        <source>%1: standards are written to .csv, .ti3, .txt, .cxf or .xlsx files.</source>
        <translation>%1: standards are written to .csv, .ti3, .txt, .cxf or .xlsx files.</translation>
    </message>
    <message>
        <source>A standard-colour workbook is made for one model: give --model MODEL.</source>
        <translation>A standard-colour workbook is made for one model: give --model MODEL.</translation>
    </message>
    <message>
        <source>compare needs --standard VALUES|FILE|measure, --standard-name NAME or --standard-code CODE (one of them).</source>
        <translation>compare needs --standard VALUES|FILE|measure, --standard-name NAME or --standard-code CODE (one of them).</translation>
    </message>
    <message>
        <source>A library standard is judged by its own tolerances; --tolerance is not taken with it.</source>
        <translation>A library standard is judged by its own tolerances; --tolerance is not taken with it.</translation>
    </message>
    <message>
        <source>the standard's L*, a* and b*</source>
        <translation>the standard's L*, a* and b*</translation>
    </message>
    <message>
        <source>the standard's haze in percent</source>
        <translation>the standard's haze in percent</translation>
    </message>
    <message>
        <source>the standard's transmittance in percent</source>
        <translation>the standard's transmittance in percent</translation>
    </message>
    <message>
        <source>an article number or barcode, to find the standard by</source>
        <translation>an article number or barcode, to find the standard by</translation>
    </message>
    <message>
        <source>a note</source>
        <translation>a note</translation>
    </message>
    <message>
        <source>its limits: dE00&lt;=1.0,dL=-0.8..0.8,db=-0.3..0.6:info (dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t; :info only informs)</source>
        <translation>its limits: dE00&lt;=1.0,dL=-0.8..0.8,db=-0.3..0.6:info (dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t; :info only informs)</translation>
    </message>
    <message>
        <source>the warning band: a PASS beyond this percentage of a limit is a warning</source>
        <translation>the warning band: a PASS beyond this percentage of a limit is a warning</translation>
    </message>
    <message>
        <source>judge against this standard of the library and its tolerances</source>
        <translation>judge against this standard of the library and its tolerances</translation>
    </message>
    <message>
        <source>the same, the standard found by its code</source>
        <translation>the same, the standard found by its code</translation>
    </message>
    <message>
        <source>a PASS with a warning gives exit status 1</source>
        <translation>a PASS with a warning gives exit status 1</translation>
    </message>
    <message>
        <source>the standards of the library: name, code, version and tolerances</source>
        <translation>the standards of the library: name, code, version and tolerances</translation>
    </message>
    <message>
        <source>one standard of the library in full</source>
        <translation>one standard of the library in full</translation>
    </message>
    <message>
        <source>add a standard to the library</source>
        <translation>add a standard to the library</translation>
    </message>
    <message>
        <source>change a standard: a new version, the others stay readable</source>
        <translation>change a standard: a new version, the others stay readable</translation>
    </message>
    <message>
        <source>take a standard out of the library (its versions stay readable)</source>
        <translation>take a standard out of the library (its versions stay readable)</translation>
    </message>
    <message>
        <source>standards from a CSV, CGATS, CxF3 or standard-colour workbook file; known names get a new version</source>
        <translation>standards from a CSV, CGATS, CxF3 or standard-colour workbook file; known names get a new version</translation>
    </message>
    <message>
        <source>the library to a CSV, CGATS, CxF3 or (for MODEL) standard-colour workbook file</source>
        <translation>the library to a CSV, CGATS, CxF3 or (for MODEL) standard-colour workbook file</translation>
    </message>
    <message>
        <source>the instrument model a workbook is made for</source>
        <translation>the instrument model a workbook is made for</translation>
    </message>
    <message>
        <source>A standard has its own --tolerance and --warn or a --shared-set, not both.</source>
        <translation>A standard has its own --tolerance and --warn or a --shared-set, not both.</translation>
    </message>
    <message>
        <source>There is no shared tolerance set &quot;%1&quot;; make it with standards share.</source>
        <translation>There is no shared tolerance set &quot;%1&quot;; make it with standards share.</translation>
    </message>
    <message>
        <source>standards share needs --tolerance LIST, --warn PERCENT or both.</source>
        <translation>standards share needs --tolerance LIST, --warn PERCENT or both.</translation>
    </message>
    <message>
        <source>Shared tolerance set &quot;%1&quot; is version %2.</source>
        <translation>Shared tolerance set &quot;%1&quot; is version %2.</translation>
    </message>
    <message>
        <source>judge by this shared tolerance set instead of limits of its own</source>
        <translation>judge by this shared tolerance set instead of limits of its own</translation>
    </message>
    <message>
        <source>make or change a shared tolerance set (a new version) that standards name with --shared-set</source>
        <translation>make or change a shared tolerance set (a new version) that standards name with --shared-set</translation>
    </message>
    <message>
        <source>%1: the editor role %2 edits the library of standards.</source>
        <translation>%1: the editor role %2 edits the library of standards.</translation>
    </message>
    <message>
        <source>The library of standards of %1 cannot be copied here: %2</source>
        <translation>The library of standards of %1 cannot be copied here: %2</translation>
    </message>
    <message>
        <source>create a login role that edits the library of standards and reads no records</source>
        <translation>create a login role that edits the library of standards and reads no records</translation>
    </message>
    <message>
        <source>one measurement, in the display mode in force (the mean of N readings with --readings)</source>
        <translation>one measurement, in the display mode in force (the mean of N readings with --readings)</translation>
    </message>
    <message>
        <source>N readings of each measured specimen, compared by their mean (standard's first)</source>
        <translation>N readings of each measured specimen, compared by their mean (standard's first)</translation>
    </message>
    <message>
        <source>the median of the readings instead of their mean</source>
        <translation>the median of the readings instead of their mean</translation>
    </message>
    <message>
        <source>--readings takes a number of readings from 1 to 100.</source>
        <translation>--readings takes a number of readings from 1 to 100.</translation>
    </message>
    <message>
        <source>%1, reading %2 of %3</source>
        <translation>%1, reading %2 of %3</translation>
    </message>
</context>
<context>
    <name>StationStatus</name>
    <message>
        <source>, the server not verified</source>
        <translation>, the server not verified</translation>
    </message>
    <message>
        <source>The key store could not be read, so no password was given: %1</source>
        <translation>The key store could not be read, so no password was given: %1</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>History...</translation>
    </message>
    <message>
        <source>Station database: the password could not be read from the key store: %1</source>
        <translation>Station database: the password could not be read from the key store: %1</translation>
    </message>
    <message>
        <source>Station database: connecting</source>
        <translation>Station database: connecting</translation>
    </message>
    <message>
        <source>Station database: sending</source>
        <translation>Station database: sending</translation>
    </message>
    <message>
        <source>Station database: all records sent</source>
        <translation>Station database: all records sent</translation>
    </message>
    <message>
        <source>Station database: offline, trying again</source>
        <translation>Station database: offline, trying again</translation>
    </message>
    <message>
        <source>Station database: not sending</source>
        <translation>Station database: not sending</translation>
    </message>
    <message>
        <source>Station database...</source>
        <translation>Station database...</translation>
    </message>
    <message>
        <source>Station database</source>
        <translation>Station database</translation>
    </message>
    <message>
        <source>The password was not stored: the key store refused: %1</source>
        <translation>The password was not stored: the key store refused: %1</translation>
    </message>
    <message numerus="yes">
        <source> (%n waiting)</source>
        <translation>
            <numerusform> (%n waiting)</numerusform>
            <numerusform> (%n waiting)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%n set aside)</source>
        <translation>
            <numerusform> (%n set aside)</numerusform>
            <numerusform> (%n set aside)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>This station's library held %n standard(s) the station database does not have. The station now works from the station database's library; they were saved to %1, for a manager to import (&quot;tintwell-cli standards import&quot;).</source>
        <translation>
            <numerusform>This station's library held %n standard the station database does not have. The station now works from the station database's library; it was saved to %1, for a manager to import (&quot;tintwell-cli standards import&quot;).</numerusform>
            <numerusform>This station's library held %n standards the station database does not have. The station now works from the station database's library; they were saved to %1, for a manager to import (&quot;tintwell-cli standards import&quot;).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StationDialog</name>
    <message>
        <source>Do not verify the server</source>
        <translation>Do not verify the server</translation>
    </message>
    <message>
        <source>host name or address</source>
        <translation>host name or address</translation>
    </message>
    <message>
        <source>CA certificate file; empty: the system's trusted authorities</source>
        <translation>CA certificate file; empty: the system's trusted authorities</translation>
    </message>
    <message>
        <source>The server is not verified: whoever answers at this address receives the records and can pose as the station database.</source>
        <translation>The server is not verified: whoever answers at this address receives the records and can pose as the station database.</translation>
    </message>
    <message>
        <source>Give the server, the database and the user to test the connection.</source>
        <translation>Give the server, the database and the user to test the connection.</translation>
    </message>
    <message>
        <source>The key store could not be read: %1</source>
        <translation>The key store could not be read: %1</translation>
    </message>
    <message>
        <source>Test connection</source>
        <translation>Test connection</translation>
    </message>
    <message>
        <source>Station database</source>
        <translation>Station database</translation>
    </message>
    <message>
        <source>kept in the key store; empty: unchanged</source>
        <translation>kept in the key store; empty: unchanged</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>Station name</source>
        <translation>Station name</translation>
    </message>
    <message>
        <source>User</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Certificate authority</source>
        <translation>Certificate authority</translation>
    </message>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>Connecting to %1 ...</translation>
    </message>
    <message>
        <source>Connected to %1: schema version %2.</source>
        <translation>Connected to %1: schema version %2.</translation>
    </message>
</context>
<context>
    <name>SyncWorker</name>
    <message>
        <source>The station database %1 cannot be reached: %2</source>
        <translation>The station database %1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>The role %1 is not registered as a station on the station database %2.</source>
        <translation>The role %1 is not registered as a station on the station database %2.</translation>
    </message>
    <message>
        <source>The station database %1 refused: %2</source>
        <translation>The station database %1 refused: %2</translation>
    </message>
    <message>
        <source>The connection to the station database %1 was lost: %2</source>
        <translation>The connection to the station database %1 was lost: %2</translation>
    </message>
    <message>
        <source>The station database %1 refused the records: %2</source>
        <translation>The station database %1 refused the records: %2</translation>
    </message>
    <message>
        <source>The station database %1 refused record %2 (%3): %4</source>
        <translation>The station database %1 refused record %2 (%3): %4</translation>
    </message>
    <message>
        <source>The station database %1 did not take the records this time, trying again: %2</source>
        <translation>The station database %1 did not take the records this time, trying again: %2</translation>
    </message>
    <message>
        <source>The journal's copy of this record is damaged and cannot be read; it is not sent.</source>
        <translation>The journal's copy of this record is damaged and cannot be read; it is not sent.</translation>
    </message>
</context>
<context>
    <name>StationSchema</name>
    <message>
        <source>%1 on %2: %3</source>
        <translation>%1 on %2: %3</translation>
    </message>
    <message>
        <source>Reading the schema version failed</source>
        <translation>Reading the schema version failed</translation>
    </message>
    <message>
        <source>The station database %1 has schema version %2, newer than this Tintwell knows (%3). Nothing is written to it; records wait until Tintwell is updated.</source>
        <translation>The station database %1 has schema version %2, newer than this Tintwell knows (%3). Nothing is written to it; records wait until Tintwell is updated.</translation>
    </message>
    <message>
        <source>The station database %1 has schema version %2; this Tintwell needs %3. Run &quot;tintwell-cli db migrate&quot; first.</source>
        <translation>The station database %1 has schema version %2; this Tintwell needs %3. Run &quot;tintwell-cli db migrate&quot; first.</translation>
    </message>
    <message>
        <source>Connecting failed</source>
        <translation>Connecting failed</translation>
    </message>
    <message>
        <source>Preparing the schema failed</source>
        <translation>Preparing the schema failed</translation>
    </message>
    <message>
        <source>Migrating failed</source>
        <translation>Migrating failed</translation>
    </message>
    <message>
        <source>Migration %1 (%2) failed</source>
        <translation>Migration %1 (%2) failed</translation>
    </message>
    <message>
        <source>Adding the station failed</source>
        <translation>Adding the station failed</translation>
    </message>
    <message>
        <source>Adding the manager failed</source>
        <translation>Adding the manager failed</translation>
    </message>
    <message>
        <source>A station needs a name, a role and a password.</source>
        <translation>A station needs a name, a role and a password.</translation>
    </message>
    <message>
        <source>A manager needs a role and a password.</source>
        <translation>A manager needs a role and a password.</translation>
    </message>
    <message>
        <source>An editor needs a role and a password.</source>
        <translation>An editor needs a role and a password.</translation>
    </message>
    <message>
        <source>Adding the editor failed</source>
        <translation>Adding the editor failed</translation>
    </message>
</context>
<context>
    <name>StationHistory</name>
    <message>
        <source>The station database %1 did not answer the query: %2</source>
        <translation>The station database %1 did not answer the query: %2</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>History of every station</source>
        <translation>History of every station</translation>
    </message>
    <message>
        <source>names, separated by commas; empty: every station</source>
        <translation>names, separated by commas; empty: every station</translation>
    </message>
    <message>
        <source>* and ? as wildcards</source>
        <translation>* and ? as wildcards</translation>
    </message>
    <message>
        <source>PASS and NG</source>
        <translation>PASS and NG</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Before</translation>
    </message>
    <message>
        <source>Stations</source>
        <translation>Stations</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Test name</source>
        <translation>Test name</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>CSV (*.csv);;Excel workbook (*.xlsx);;CGATS (*.ti3 *.txt)</source>
        <translation>CSV (*.csv);;Excel workbook (*.xlsx);;CGATS (*.ti3 *.txt)</translation>
    </message>
    <message>
        <source>These records hold no L*a*b* values, which CGATS carries; export them as CSV or workbook.</source>
        <translation>These records hold no L*a*b* values, which CGATS carries; export them as CSV or workbook.</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Querying the station database...</source>
        <translation>Querying the station database...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>The station database %1 cannot be reached: %2</source>
        <translation>The station database %1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>%1 records, %2 PASS, %3 NG; ΔE mean %4, standard deviation %5, from %6 to %7</source>
        <translation>%1 records, %2 PASS, %3 NG; ΔE mean %4, standard deviation %5, from %6 to %7</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 could not be written.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date: write it as yyyy-MM-dd or yyyy-MM-ddThh:mm.</source>
        <translation>&quot;%1&quot; is not a date: write it as yyyy-MM-dd or yyyy-MM-ddThh:mm.</translation>
    </message>
    <message>
        <source>History of this computer</source>
        <translation>History of this computer</translation>
    </message>
    <message>
        <source>More rows</source>
        <translation>More rows</translation>
    </message>
    <message>
        <source>Every session</source>
        <translation>Every session</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Session</translation>
    </message>
    <message>
        <source>Records found</source>
        <translation>Records found</translation>
    </message>
    <message>
        <source>Reading the journal...</source>
        <translation>Reading the journal...</translation>
    </message>
    <message>
        <source>Computing the statistics...</source>
        <translation>Computing the statistics...</translation>
    </message>
    <message>
        <source>All rows</source>
        <translation>All rows</translation>
    </message>
    <message>
        <source>Reads every row of the query, up to %1, for the statistics, the export and the batch report</source>
        <translation>Reads every row of the query, up to %1, for the statistics, the export and the batch report</translation>
    </message>
</context>
<context>
    <name>PgConnection</name>
    <message>
        <source>The station database %1 does not answer: check the server's name and port, and that the server is running.</source>
        <translation>The station database %1 does not answer: check the server's name and port, and that the server is running.</translation>
    </message>
    <message>
        <source>The station database %1 did not prove who it is: its certificate is not signed by a trusted authority, or names another server. Check the server's name, or give the file of the authority that signed its certificate.</source>
        <translation>The station database %1 did not prove who it is: its certificate is not signed by a trusted authority, or names another server. Check the server's name, or give the file of the authority that signed its certificate.</translation>
    </message>
    <message>
        <source>The station database %1 refused the password of %2: check the user and the password.</source>
        <translation>The station database %1 refused the password of %2: check the user and the password.</translation>
    </message>
    <message>
        <source>The station database %1 wants a password for %2, and none is stored or given.</source>
        <translation>The station database %1 wants a password for %2, and none is stored or given.</translation>
    </message>
    <message>
        <source>The station database %1 asked for the password of %2 in a way that would give it away, and was refused: the server must log stations in with scram-sha-256 over TLS.</source>
        <translation>The station database %1 asked for the password of %2 in a way that would give it away, and was refused: the server must log stations in with scram-sha-256 over TLS.</translation>
    </message>
    <message>
        <source>The station database %1 does not let %2 in.</source>
        <translation>The station database %1 does not let %2 in.</translation>
    </message>
    <message>
        <source>The station database %1 cannot be reached.</source>
        <translation>The station database %1 cannot be reached.</translation>
    </message>
</context>
<context>
    <name>DeviceSetup</name>
    <message>
        <source>Try &quot;tintwell --help&quot;.</source>
        <translation>Try &quot;tintwell --help&quot;.</translation>
    </message>
    <message>
        <source>Unknown option &quot;%1&quot;.</source>
        <translation>Unknown option &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;.</source>
        <translation>Unexpected argument &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>SpectralColourSheet</name>
    <message>
        <source>Illuminant</source>
        <translation>Illuminant</translation>
    </message>
    <message>
        <source>Observer</source>
        <translation>Observer</translation>
    </message>
    <message>
        <source>Weights</source>
        <translation>Weights</translation>
    </message>
    <message>
        <source>ASTM E308 Table 5, 10 nm, the bands beyond 400 and 700 nm added to the end bands</source>
        <translation>ASTM E308 Table 5, 10 nm, the bands beyond 400 and 700 nm added to the end bands</translation>
    </message>
    <message>
        <source>Indices</source>
        <translation>Indices</translation>
    </message>
    <message>
        <source>E313 yellowness under %1, CIE whiteness and tint under %2</source>
        <translation>E313 yellowness under %1, CIE whiteness and tint under %2</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Yellowness E313</source>
        <translation>Yellowness E313</translation>
    </message>
    <message>
        <source>Yellowness in range</source>
        <translation>Yellowness in range</translation>
    </message>
    <message>
        <source>CIE whiteness</source>
        <translation>CIE whiteness</translation>
    </message>
    <message>
        <source>CIE tint</source>
        <translation>CIE tint</translation>
    </message>
    <message>
        <source>Whiteness in range</source>
        <translation>Whiteness in range</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>standards library</source>
        <translation>standards library</translation>
    </message>
    <message>
        <source>standards library, code %1</source>
        <translation>standards library, code %1</translation>
    </message>
    <message>
        <source>the standard's own</source>
        <translation>the standard's own</translation>
    </message>
    <message>
        <source>%1, version %2: %3</source>
        <translation>%1, version %2: %3</translation>
    </message>
    <message>
        <source>, warning beyond %1 %</source>
        <translation>, warning beyond %1 %</translation>
    </message>
    <message>
        <source>A: haze above 30 %, beyond the hazemeter procedure of ASTM D1003 (its procedure for diffusing materials applies). B: haze of 40 % or more, outside the scope of ISO 14782. Values flagged: %1.</source>
        <translation>A: haze above 30 %, beyond the hazemeter procedure of ASTM D1003 (its procedure for diffusing materials applies). B: haze of 40 % or more, outside the scope of ISO 14782. Values flagged: %1.</translation>
    </message>
    <message>
        <source>Approved by</source>
        <translation>Approved by</translation>
    </message>
    <message>
        <source>Auditor</source>
        <translation>Auditor</translation>
    </message>
    <message>
        <source>Batch report</source>
        <translation>Batch report</translation>
    </message>
    <message>
        <source>Cannot write in %1: %2</source>
        <translation>Cannot write in %1: %2</translation>
    </message>
    <message>
        <source>Cannot write the report into %1.</source>
        <translation>Cannot write the report into %1.</translation>
    </message>
    <message>
        <source>Cannot write the report into %1: %2</source>
        <translation>Cannot write the report into %1: %2</translation>
    </message>
    <message>
        <source>Charts of %1</source>
        <translation>Charts of %1</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Decided by</source>
        <translation>Decided by</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>Flag</translation>
    </message>
    <message>
        <source>Haze test</source>
        <translation>Haze test</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>Haze</translation>
    </message>
    <message>
        <source>Haze, mean ± SD</source>
        <translation>Haze, mean ± SD</translation>
    </message>
    <message>
        <source>Instrument model</source>
        <translation>Instrument model</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>NG</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Origin</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Procedure followed</source>
        <translation>Procedure followed</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Specimens</source>
        <translation>Specimens</translation>
    </message>
    <message>
        <source>Specimens: %1    PASS: %2    NG: %3    Pass rate: %4</source>
        <translation>Specimens: %1    PASS: %2    NG: %3    Pass rate: %4</translation>
    </message>
    <message>
        <source>Spread</source>
        <translation>Spread</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Standards</source>
        <translation>Standards</translation>
    </message>
    <message>
        <source>Statistics of the batch</source>
        <translation>Statistics of the batch</translation>
    </message>
    <message>
        <source>Std.</source>
        <translation>Std.</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Tester</source>
        <translation>Tester</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Tintwell batch report, %1</source>
        <translation>Tintwell batch report, %1</translation>
    </message>
    <message>
        <source>Tolerances</source>
        <translation>Tolerances</translation>
    </message>
    <message>
        <source>Transmittance, mean ± SD</source>
        <translation>Transmittance, mean ± SD</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>instrument: %1</source>
        <translation>instrument: %1</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>not read from the instrument</source>
        <translation>not read from the instrument</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>Batch report…</source>
        <translation>Batch report…</translation>
    </message>
    <message>
        <source>All rows</source>
        <translation>All rows</translation>
    </message>
    <message>
        <source>Selected rows</source>
        <translation>Selected rows</translation>
    </message>
    <message>
        <source>Rows of %1</source>
        <translation>Rows of %1</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Save the batch report</source>
        <translation>Save the batch report</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>The report was saved to %1.</source>
        <translation>The report was saved to %1.</translation>
    </message>
    <message>
        <source>There are no rows to report.</source>
        <translation>There are no rows to report.</translation>
    </message>
    <message>
        <source>The preview shows the first %1 of %2 rows; the PDF and the print hold them all.</source>
        <translation>The preview shows the first %1 of %2 rows; the PDF and the print hold them all.</translation>
    </message>
    <message>
        <source>Batch report preview</source>
        <translation>Batch report preview</translation>
    </message>
</context>
<context>
    <name>ToleranceSet</name>
    <message>
        <source>Tolerance &quot;%1&quot;: %2</source>
        <translation>Tolerance &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>empty limit</source>
        <translation>empty limit</translation>
    </message>
    <message>
        <source>only &quot;:info&quot; may follow a limit</source>
        <translation>only &quot;:info&quot; may follow a limit</translation>
    </message>
    <message>
        <source>expected a quantity followed by &lt;= or =</source>
        <translation>expected a quantity followed by &lt;= or =</translation>
    </message>
    <message>
        <source>unknown quantity (dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t)</source>
        <translation>unknown quantity (dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t)</translation>
    </message>
    <message>
        <source>a delta-E limit is written &lt;=LIMIT</source>
        <translation>a delta-E limit is written &lt;=LIMIT</translation>
    </message>
    <message>
        <source>the limit must be a number from 0 up</source>
        <translation>the limit must be a number from 0 up</translation>
    </message>
    <message>
        <source>a difference is limited by a range =LOW..HIGH</source>
        <translation>a difference is limited by a range =LOW..HIGH</translation>
    </message>
    <message>
        <source>expected a range LOW..HIGH or a number from 0 up</source>
        <translation>expected a range LOW..HIGH or a number from 0 up</translation>
    </message>
    <message>
        <source>expected a range LOW..HIGH of two numbers</source>
        <translation>expected a range LOW..HIGH of two numbers</translation>
    </message>
    <message>
        <source>the low end of the range is above its high end</source>
        <translation>the low end of the range is above its high end</translation>
    </message>
    <message>
        <source>this quantity is limited twice</source>
        <translation>this quantity is limited twice</translation>
    </message>
    <message>
        <source>unknown illuminant after @ (A C D50 D55 D65 D75 F2 F7 F11)</source>
        <translation>unknown illuminant after @ (A C D50 D55 D65 D75 F2 F7 F11)</translation>
    </message>
    <message>
        <source>under an illuminant only dL da db dC dH and delta-E other than dEuv can be limited</source>
        <translation>under an illuminant only dL da db dC dH and delta-E other than dEuv can be limited</translation>
    </message>
    <message>
        <source>a metamerism index limit is written &lt;=LIMIT</source>
        <translation>a metamerism index limit is written &lt;=LIMIT</translation>
    </message>
</context>
<context>
    <name>StandardLibrary</name>
    <message>
        <source>The library of standards %1 cannot be used: %2</source>
        <translation>The library of standards %1 cannot be used: %2</translation>
    </message>
    <message>
        <source>The library of standards is not open.</source>
        <translation>The library of standards is not open.</translation>
    </message>
    <message>
        <source>The library of standards is read-only here: it is kept in the station database, where a manager changes it.</source>
        <translation>The library of standards is read-only here: it is kept in the station database, where a manager changes it.</translation>
    </message>
    <message>
        <source>A standard needs a name.</source>
        <translation>A standard needs a name.</translation>
    </message>
    <message>
        <source>The spectrum of &quot;%1&quot; has %2 values; a spectrum has 31 (400 to 700 nm).</source>
        <translation>The spectrum of &quot;%1&quot; has %2 values; a spectrum has 31 (400 to 700 nm).</translation>
    </message>
    <message>
        <source>The standard &quot;%1&quot; has no values: give L*a*b*, haze or T.</source>
        <translation>The standard &quot;%1&quot; has no values: give L*a*b*, haze or T.</translation>
    </message>
    <message>
        <source>A standard named &quot;%1&quot; is in the library already.</source>
        <translation>A standard named &quot;%1&quot; is in the library already.</translation>
    </message>
    <message>
        <source>The tolerance set named for &quot;%1&quot; is not in the library.</source>
        <translation>The tolerance set named for &quot;%1&quot; is not in the library.</translation>
    </message>
    <message>
        <source>The standard &quot;%1&quot; is not in the library.</source>
        <translation>The standard &quot;%1&quot; is not in the library.</translation>
    </message>
    <message>
        <source>That standard is not in the library.</source>
        <translation>That standard is not in the library.</translation>
    </message>
    <message>
        <source>A shared tolerance set needs a name.</source>
        <translation>A shared tolerance set needs a name.</translation>
    </message>
    <message>
        <source>A tolerance set named &quot;%1&quot; is in the library already.</source>
        <translation>A tolerance set named &quot;%1&quot; is in the library already.</translation>
    </message>
    <message>
        <source>The code &quot;%1&quot; is that of &quot;%2&quot; already; a barcode must find one standard.</source>
        <translation>The code &quot;%1&quot; is that of &quot;%2&quot; already; a barcode must find one standard.</translation>
    </message>
</context>
<context>
    <name>StandardFiles</name>
    <message>
        <source>The file is empty; its first row names the columns: %1.</source>
        <translation>The file is empty; its first row names the columns: %1.</translation>
    </message>
    <message>
        <source>the columns must be %1, optionally followed by s400 … s700</source>
        <translation>the columns must be %1, optionally followed by s400 … s700</translation>
    </message>
    <message>
        <source>%1 cells where the header has %2</source>
        <translation>%1 cells where the header has %2</translation>
    </message>
    <message>
        <source>the standard has no name</source>
        <translation>the standard has no name</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is named twice</source>
        <translation>&quot;%1&quot; is named twice</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in column %2 is not a number</source>
        <translation>&quot;%1&quot; in column %2 is not a number</translation>
    </message>
    <message>
        <source>L, a and b are given together or not at all</source>
        <translation>L, a and b are given together or not at all</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no values: give L, a and b, haze or t</source>
        <translation>&quot;%1&quot; has no values: give L, a and b, haze or t</translation>
    </message>
    <message>
        <source>the spectrum needs a number in every column s400 … s700 (%1)</source>
        <translation>the spectrum needs a number in every column s400 … s700 (%1)</translation>
    </message>
    <message>
        <source>the warning band &quot;%1&quot; is not a percentage from 0 up to 100</source>
        <translation>the warning band &quot;%1&quot; is not a percentage from 0 up to 100</translation>
    </message>
    <message>
        <source>a standard has its own tolerances or a shared set, not both</source>
        <translation>a standard has its own tolerances or a shared set, not both</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is named twice in the file</source>
        <translation>&quot;%1&quot; is named twice in the file</translation>
    </message>
    <message>
        <source>The workbook %1 cannot be read: %2</source>
        <translation>The workbook %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Row %1: every standard of the library needs a name of its own.</source>
        <translation>Row %1: every standard of the library needs a name of its own.</translation>
    </message>
    <message>
        <source>%1: standards are read from .csv, .ti3, .txt, .cxf or .xlsx files.</source>
        <translation>%1: standards are read from .csv, .ti3, .txt, .cxf or .xlsx files.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>%1: standards are written to .csv, .ti3, .txt, .cxf or .xlsx files.</source>
        <translation>%1: standards are written to .csv, .ti3, .txt, .cxf or .xlsx files.</translation>
    </message>
    <message>
        <source>None of the standards has L*a*b* values to write to %1.</source>
        <translation>None of the standards has L*a*b* values to write to %1.</translation>
    </message>
    <message>
        <source>A standard-colour workbook is made for one instrument model; name it.</source>
        <translation>A standard-colour workbook is made for one instrument model; name it.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 cannot be written: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: there is no shared tolerance set &quot;%2&quot;.</source>
        <translation>&quot;%1&quot;: there is no shared tolerance set &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>ServerLibrary</name>
    <message>
        <source>%1 on %2: %3</source>
        <translation>%1 on %2: %3</translation>
    </message>
    <message>
        <source>Reading the library of standards failed</source>
        <translation>Reading the library of standards failed</translation>
    </message>
    <message>
        <source>Writing the library of standards failed</source>
        <translation>Writing the library of standards failed</translation>
    </message>
    <message>
        <source>The station database %1 holds the tolerance set %2 with a limit this Tintwell does not know; update Tintwell.</source>
        <translation>The station database %1 holds the tolerance set %2 with a limit this Tintwell does not know; update Tintwell.</translation>
    </message>
    <message>
        <source>The library of standards is kept in the station database %1: only a manager or a library editor may change it (log in with that role, e.g. &quot;tintwell-cli standards ... --user MANAGER&quot;); the role %2 only reads it.</source>
        <translation>The library of standards is kept in the station database %1: only a manager or a library editor may change it (log in with that role, e.g. &quot;tintwell-cli standards ... --user MANAGER&quot;); the role %2 only reads it.</translation>
    </message>
    <message>
        <source>The station database %1 already holds a standard or shared set of that name: %2</source>
        <translation>The station database %1 already holds a standard or shared set of that name: %2</translation>
    </message>
    <message>
        <source>Someone else changed the library on the station database %1 meanwhile; nothing was written. Try again: %2</source>
        <translation>Someone else changed the library on the station database %1 meanwhile; nothing was written. Try again: %2</translation>
    </message>
</context>
<context>
    <name>StandardsWorker</name>
    <message>
        <source>The station's own standards could not be kept before the station database's library replaced them, so its copy waits: %1</source>
        <translation>The station's own standards could not be kept before the station database's library replaced them, so its copy waits: %1</translation>
    </message>
    <message>
        <source>The station's copy of the library of standards cannot be written: %1</source>
        <translation>The station's copy of the library of standards cannot be written: %1</translation>
    </message>
    <message>
        <source>The station database %1 cannot be reached; the station works from its copy of the library of standards: %2</source>
        <translation>The station database %1 cannot be reached; the station works from its copy of the library of standards: %2</translation>
    </message>
    <message>
        <source>The station database %1 has no library of standards yet (schema version %2); run &quot;tintwell-cli db migrate&quot;.</source>
        <translation>The station database %1 has no library of standards yet (schema version %2); run &quot;tintwell-cli db migrate&quot;.</translation>
    </message>
    <message>
        <source>The station database %1 refused: %2</source>
        <translation>The station database %1 refused: %2</translation>
    </message>
    <message>
        <source>The connection to the station database %1 was lost: %2</source>
        <translation>The connection to the station database %1 was lost: %2</translation>
    </message>
</context>
<context>
    <name>StandardPicker</name>
    <message>
        <source>No library of standards is open.</source>
        <translation>No library of standards is open.</translation>
    </message>
    <message>
        <source>No standard has the name or code &quot;%1&quot;.</source>
        <translation>No standard has the name or code &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Several standards match &quot;%1&quot;: choose one from the list.</source>
        <translation>Several standards match &quot;%1&quot;: choose one from the list.</translation>
    </message>
    <message>
        <source>No scanned standard to keep.</source>
        <translation>No scanned standard to keep.</translation>
    </message>
    <message>
        <source>This station works from its copy of the station database's library, which only reads: a manager adds and edits standards there.</source>
        <translation>This station works from its copy of the station database's library, which only reads: a manager adds and edits standards there.</translation>
    </message>
</context>
<context>
    <name>StandardPickerPanel</name>
    <message>
        <source>Library standard:</source>
        <translation>Library standard:</translation>
    </message>
    <message>
        <source>Name or code (a scanner's barcode)</source>
        <translation>Name or code (a scanner's barcode)</translation>
    </message>
    <message>
        <source>Library standard: type a name or code, or scan its barcode</source>
        <translation>Library standard: type a name or code, or scan its barcode</translation>
    </message>
    <message>
        <source>Back to the instrument's tolerances</source>
        <translation>Back to the instrument's tolerances</translation>
    </message>
    <message>
        <source>Save as standard…</source>
        <translation>Save as standard…</translation>
    </message>
    <message>
        <source>Save the scanned standard in the library</source>
        <translation>Save the scanned standard in the library</translation>
    </message>
    <message>
        <source>Library…</source>
        <translation>Library…</translation>
    </message>
    <message>
        <source>Open the library of standards</source>
        <translation>Open the library of standards</translation>
    </message>
    <message>
        <source>Keeps the scanned standard in the library with its tolerances</source>
        <translation>Keeps the scanned standard in the library with its tolerances</translation>
    </message>
    <message>
        <source>Scan a standard first (a library standard is in the library already)</source>
        <translation>Scan a standard first (a library standard is in the library already)</translation>
    </message>
    <message>
        <source>No library of standards is open</source>
        <translation>No library of standards is open</translation>
    </message>
    <message>
        <source>Library standard</source>
        <translation>Library standard</translation>
    </message>
    <message>
        <source>%1 (version %2) has no tolerances yet: the instrument's tolerances judge.</source>
        <translation>%1 (version %2) has no tolerances yet: the instrument's tolerances judge.</translation>
    </message>
    <message>
        <source>In force: the library's tolerances of %1 (version %2): %3. The instrument's tolerances are not changed.</source>
        <translation>In force: the library's tolerances of %1 (version %2): %3. The instrument's tolerances are not changed.</translation>
    </message>
</context>
<context>
    <name>StandardTexts</name>
    <message>
        <source>ΔHaze</source>
        <translation>ΔHaze</translation>
    </message>
    <message>
        <source>ΔT</source>
        <translation>ΔT</translation>
    </message>
    <message>
        <source>%1 (informs)</source>
        <translation>%1 (informs)</translation>
    </message>
    <message>
        <source>no limits</source>
        <translation>no limits</translation>
    </message>
    <message>
        <source>; warning beyond %1 % of a limit</source>
        <translation>; warning beyond %1 % of a limit</translation>
    </message>
    <message>
        <source>Haze %1 %</source>
        <translation>Haze %1 %</translation>
    </message>
    <message>
        <source>T %1 %</source>
        <translation>T %1 %</translation>
    </message>
    <message>
        <source>no values</source>
        <translation>no values</translation>
    </message>
    <message>
        <source>NG: %1 is beyond its limit %2.</source>
        <translation>NG: %1 is beyond its limit %2.</translation>
    </message>
    <message>
        <source>PASS with a warning: %1 is beyond %2 % of its limit %3.</source>
        <translation>PASS with a warning: %1 is beyond %2 % of its limit %3.</translation>
    </message>
    <message>
        <source>PASS: within every limit.</source>
        <translation>PASS: within every limit.</translation>
    </message>
    <message>
        <source>Library standard %1, version %2</source>
        <translation>Library standard %1, version %2</translation>
    </message>
    <message>
        <source>Tolerances: %1</source>
        <translation>Tolerances: %1</translation>
    </message>
    <message>
        <source>ΔHaze beyond ±%1 %</source>
        <translation>ΔHaze beyond ±%1 %</translation>
    </message>
    <message>
        <source>ΔT beyond ±%1 %</source>
        <translation>ΔT beyond ±%1 %</translation>
    </message>
    <message>
        <source>ΔE beyond %1</source>
        <translation>ΔE beyond %1</translation>
    </message>
    <message>
        <source>PASS: within the instrument's tolerances.</source>
        <translation>PASS: within the instrument's tolerances.</translation>
    </message>
    <message>
        <source>NG: a value the verdict needs is not known.</source>
        <translation>NG: a value the verdict needs is not known.</translation>
    </message>
    <message>
        <source>NG: %1.</source>
        <translation>NG: %1.</translation>
    </message>
    <message>
        <source>Judged by the instrument's tolerances.</source>
        <translation>Judged by the instrument's tolerances.</translation>
    </message>
    <message>
        <source>Library standard %1, version %2, has no limits yet: judged by the instrument's tolerances.</source>
        <translation>Library standard %1, version %2, has no limits yet: judged by the instrument's tolerances.</translation>
    </message>
    <message>
        <source>MI %1</source>
        <translation>MI %1</translation>
    </message>
    <message>
        <source>%1 under %2</source>
        <translation>%1 under %2</translation>
    </message>
</context>
<context>
    <name>ToleranceSetEditor</name>
    <message>
        <source>Difference</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>High / ≤</source>
        <translation>High / ≤</translation>
    </message>
    <message>
        <source>Decides</source>
        <translation>Decides</translation>
    </message>
    <message>
        <source>Limits of the tolerance set</source>
        <translation>Limits of the tolerance set</translation>
    </message>
    <message>
        <source>Add limit</source>
        <translation>Add limit</translation>
    </message>
    <message>
        <source>Remove limit</source>
        <translation>Remove limit</translation>
    </message>
    <message>
        <source>Remove the chosen limit</source>
        <translation>Remove the chosen limit</translation>
    </message>
    <message>
        <source>Warning band:</source>
        <translation>Warning band:</translation>
    </message>
    <message>
        <source>Warning band in percent of each limit</source>
        <translation>Warning band in percent of each limit</translation>
    </message>
    <message>
        <source>A passing value beyond this share of a limit is flagged as a warning; 0: none</source>
        <translation>A passing value beyond this share of a limit is flagged as a warning; 0: none</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>decides</source>
        <translation>decides</translation>
    </message>
    <message>
        <source>Limit %1 decides the verdict</source>
        <translation>Limit %1 decides the verdict</translation>
    </message>
    <message>
        <source>Difference of limit %1</source>
        <translation>Difference of limit %1</translation>
    </message>
    <message>
        <source>Low bound of limit %1</source>
        <translation>Low bound of limit %1</translation>
    </message>
    <message>
        <source>High bound of limit %1</source>
        <translation>High bound of limit %1</translation>
    </message>
</context>
<context>
    <name>SaveStandardDialog</name>
    <message>
        <source>Save as standard</source>
        <translation>Save as standard</translation>
    </message>
    <message>
        <source>Values of the standard</source>
        <translation>Values of the standard</translation>
    </message>
    <message>
        <source>Values:</source>
        <translation>Values:</translation>
    </message>
    <message>
        <source>Name of the standard</source>
        <translation>Name of the standard</translation>
    </message>
    <message>
        <source>Code or barcode of the standard</source>
        <translation>Code or barcode of the standard</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Tolerance set</source>
        <translation>Tolerance set</translation>
    </message>
    <message>
        <source>Its own tolerances</source>
        <translation>Its own tolerances</translation>
    </message>
    <message>
        <source>Shared: %1</source>
        <translation>Shared: %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code:</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Tolerances:</source>
        <translation>Tolerances:</translation>
    </message>
    <message>
        <source>The standard needs a name.</source>
        <translation>The standard needs a name.</translation>
    </message>
</context>
<context>
    <name>StandardListModel</name>
    <message>
        <source>v%1  %2  %3</source>
        <translation>v%1  %2  %3</translation>
    </message>
    <message>
        <source>This is the station's copy of the library in the station database: standards and tolerances are read here and changed by a manager.</source>
        <translation>This is the station's copy of the library in the station database: standards and tolerances are read here and changed by a manager.</translation>
    </message>
</context>
<context>
    <name>StandardsWindow</name>
    <message>
        <source>Library of standards</source>
        <translation>Library of standards</translation>
    </message>
    <message>
        <source>Search by name or code</source>
        <translation>Search by name or code</translation>
    </message>
    <message>
        <source>Search the standards by name or code</source>
        <translation>Search the standards by name or code</translation>
    </message>
    <message>
        <source>Standards</source>
        <translation>Standards</translation>
    </message>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>New standard</source>
        <translation>New standard</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Remove the chosen standard</source>
        <translation>Remove the chosen standard</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code:</translation>
    </message>
    <message>
        <source>Values:</source>
        <translation>Values:</translation>
    </message>
    <message>
        <source>Origin:</source>
        <translation>Origin:</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Versions:</source>
        <translation>Versions:</translation>
    </message>
    <message>
        <source>Tolerances:</source>
        <translation>Tolerances:</translation>
    </message>
    <message>
        <source>Limits:</source>
        <translation>Limits:</translation>
    </message>
    <message>
        <source>Name of the standard</source>
        <translation>Name of the standard</translation>
    </message>
    <message>
        <source>Code or barcode of the standard</source>
        <translation>Code or barcode of the standard</translation>
    </message>
    <message>
        <source>Haze %</source>
        <translation>Haze %</translation>
    </message>
    <message>
        <source>T %</source>
        <translation>T %</translation>
    </message>
    <message>
        <source>Standard's %1</source>
        <translation>Standard's %1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Versions of the standard, the newest first</source>
        <translation>Versions of the standard, the newest first</translation>
    </message>
    <message>
        <source>Tolerance set: its own or a shared one</source>
        <translation>Tolerance set: its own or a shared one</translation>
    </message>
    <message>
        <source>Name of the shared set</source>
        <translation>Name of the shared set</translation>
    </message>
    <message>
        <source>Shared set name (empty: its own)</source>
        <translation>Shared set name (empty: its own)</translation>
    </message>
    <message>
        <source>Save (new version)</source>
        <translation>Save (new version)</translation>
    </message>
    <message>
        <source>Import…</source>
        <translation>Import…</translation>
    </message>
    <message>
        <source>Import standards from a file</source>
        <translation>Import standards from a file</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>Export the standards to a file</source>
        <translation>Export the standards to a file</translation>
    </message>
    <message>
        <source>Write to instrument</source>
        <translation>Write to instrument</translation>
    </message>
    <message>
        <source>Write the chosen standards to the instrument's standard colours</source>
        <translation>Write the chosen standards to the instrument's standard colours</translation>
    </message>
    <message>
        <source>Sends the chosen standards to the instrument's standard-colour library</source>
        <translation>Sends the chosen standards to the instrument's standard-colour library</translation>
    </message>
    <message>
        <source>Measured with the %1 %2 on %3</source>
        <translation>Measured with the %1 %2 on %3</translation>
    </message>
    <message>
        <source>From the file %1</source>
        <translation>From the file %1</translation>
    </message>
    <message>
        <source>Typed</source>
        <translation>Typed</translation>
    </message>
    <message>
        <source>A new standard</source>
        <translation>A new standard</translation>
    </message>
    <message>
        <source>Its own tolerances</source>
        <translation>Its own tolerances</translation>
    </message>
    <message>
        <source>Shared: %1</source>
        <translation>Shared: %1</translation>
    </message>
    <message>
        <source>The standard needs a name.</source>
        <translation>The standard needs a name.</translation>
    </message>
    <message>
        <source>%1 is not a number: &quot;%2&quot;.</source>
        <translation>%1 is not a number: &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Give all three of L*, a* and b*, or none.</source>
        <translation>Give all three of L*, a* and b*, or none.</translation>
    </message>
    <message>
        <source>The standard was not saved: %1</source>
        <translation>The standard was not saved: %1</translation>
    </message>
    <message>
        <source>The standard was not removed: %1</source>
        <translation>The standard was not removed: %1</translation>
    </message>
    <message>
        <source>Choose the standards to write in the list first.</source>
        <translation>Choose the standards to write in the list first.</translation>
    </message>
    <message>
        <source>Import standards</source>
        <translation>Import standards</translation>
    </message>
    <message>
        <source>Standards (*.csv *.ti3 *.txt *.cxf *.xlsx)</source>
        <translation>Standards (*.csv *.ti3 *.txt *.cxf *.xlsx)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>CGATS (*.ti3 *.txt)</source>
        <translation>CGATS (*.ti3 *.txt)</translation>
    </message>
    <message>
        <source>CxF3 (*.cxf)</source>
        <translation>CxF3 (*.cxf)</translation>
    </message>
    <message>
        <source>Standard-colour workbook (*.xlsx)</source>
        <translation>Standard-colour workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>Nothing was imported from %1: %2</source>
        <translation>Nothing was imported from %1: %2</translation>
    </message>
    <message>
        <source>%1 added, %2 changed, %3 unchanged.</source>
        <translation>%1 added, %2 changed, %3 unchanged.</translation>
    </message>
    <message>
        <source>The import of %1 stopped: %2
%3</source>
        <translation>The import of %1 stopped: %2
%3</translation>
    </message>
    <message>
        <source>Imported from %1: %2</source>
        <translation>Imported from %1: %2</translation>
    </message>
    <message>
        <source>Export standards</source>
        <translation>Export standards</translation>
    </message>
    <message>
        <source>The library holds no standards to export.</source>
        <translation>The library holds no standards to export.</translation>
    </message>
    <message>
        <source>CGATS (*.ti3)</source>
        <translation>CGATS (*.ti3)</translation>
    </message>
    <message>
        <source>%1: choose a name ending in .csv, .ti3, .cxf or .xlsx.</source>
        <translation>%1: choose a name ending in .csv, .ti3, .cxf or .xlsx.</translation>
    </message>
    <message>
        <source>%1 was not written: %2</source>
        <translation>%1 was not written: %2</translation>
    </message>
    <message>
        <source>%1 standards written to %2.</source>
        <translation>%1 standards written to %2.</translation>
    </message>
    <message>
        <source>Remove the standard &quot;%1&quot; from the library? Rows judged with it keep their verdicts, and its versions stay readable.</source>
        <translation>Remove the standard &quot;%1&quot; from the library? Rows judged with it keep their verdicts, and its versions stay readable.</translation>
    </message>
</context>
<context>
    <name>BatchReportDialog</name>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Batch report</source>
        <translation>Batch report</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Save the batch report</source>
        <translation>Save the batch report</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>The report was saved to %1.</source>
        <translation>The report was saved to %1.</translation>
    </message>
    <message>
        <source>Batch report preview</source>
        <translation>Batch report preview</translation>
    </message>
</context>
<context>
    <name>JournalHistory</name>
    <message>
        <source>The journal %1 cannot be read: %2</source>
        <translation>The journal %1 cannot be read: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2, %n record(s)</source>
        <translation>
            <numerusform>%1, %2, %n record</numerusform>
            <numerusform>%1, %2, %n records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %2, %n record(s), open</source>
        <translation>
            <numerusform>%1, %2, %n record, open</numerusform>
            <numerusform>%1, %2, %n records, open</numerusform>
        </translation>
    </message>
    <message>
        <source>None of these rows was judged against a library standard: nothing was judged again.</source>
        <translation>None of these rows was judged against a library standard: nothing was judged again.</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) judged again with the current standards.</source>
        <translation>
            <numerusform>%n row judged again with the current standards.</numerusform>
            <numerusform>%n rows judged again with the current standards.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) changed verdict.</source>
        <translation>
            <numerusform>%n row changed verdict.</numerusform>
            <numerusform>%n rows changed verdict.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: version %2 → %3 (%n row(s)).</source>
        <translation>
            <numerusform>%1: version %2 → %3 (%n row).</numerusform>
            <numerusform>%1: version %2 → %3 (%n rows).</numerusform>
        </translation>
    </message>
    <message>
        <source>Every row was already judged with the current version.</source>
        <translation>Every row was already judged with the current version.</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) kept as they were: their standard is no longer in the library.</source>
        <translation>
            <numerusform>%n row kept as it was: its standard is no longer in the library.</numerusform>
            <numerusform>%n rows kept as they were: their standard is no longer in the library.</numerusform>
        </translation>
    </message>
    <message>
        <source>Judge again with the current standards</source>
        <translation>Judge again with the current standards</translation>
    </message>
    <message>
        <source>Judge again</source>
        <translation>Judge again</translation>
    </message>
    <message>
        <source>No library of standards is open.</source>
        <translation>No library of standards is open.</translation>
    </message>
</context>
<context>
    <name>LibrarySpectrumStandards</name>
    <message>
        <source>Transmittance curve</source>
        <translation>Transmittance curve</translation>
    </message>
    <message>
        <source>the library is the station's copy and can only be read; add standards at the station</source>
        <translation>the library is the station's copy and can only be read; add standards at the station</translation>
    </message>
    <message>
        <source>the curve has no name</source>
        <translation>the curve has no name</translation>
    </message>
    <message>
        <source>the library did not take the standard</source>
        <translation>the library did not take the standard</translation>
    </message>
</context>
<context>
    <name>SpectralColourTables</name>
    <message>
        <source>%1 (warning: %2)</source>
        <translation>%1 (warning: %2)</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>CurrentVersionJudging</name>
    <message>
        <source>None of these rows was judged against a library standard: nothing was judged again.</source>
        <translation>None of these rows was judged against a library standard: nothing was judged again.</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) judged again with the current standards.</source>
        <translation>
            <numerusform>%n row judged again with the current standards.</numerusform>
            <numerusform>%n rows judged again with the current standards.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) changed verdict.</source>
        <translation>
            <numerusform>%n row changed verdict.</numerusform>
            <numerusform>%n rows changed verdict.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: version %2 → %3 (%n row(s)).</source>
        <translation>
            <numerusform>%1: version %2 → %3 (%n row).</numerusform>
            <numerusform>%1: version %2 → %3 (%n rows).</numerusform>
        </translation>
    </message>
    <message>
        <source>Every row was already judged with the current version.</source>
        <translation>Every row was already judged with the current version.</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) kept as they were: their standard is no longer in the library.</source>
        <translation>
            <numerusform>%n row kept as it was: its standard is no longer in the library.</numerusform>
            <numerusform>%n rows kept as they were: their standard is no longer in the library.</numerusform>
        </translation>
    </message>
    <message>
        <source>Judge again with the current standards</source>
        <translation>Judge again with the current standards</translation>
    </message>
    <message>
        <source>Judge again</source>
        <translation>Judge again</translation>
    </message>
    <message>
        <source>No library of standards is open.</source>
        <translation>No library of standards is open.</translation>
    </message>
</context>
<context>
    <name>MeterPageFor310</name>
    <message>
        <source>Y C/2°</source>
        <translation>Y C/2°</translation>
    </message>
    <message>
        <source>Y under C, 2°: the luminous transmittance of a transmittance curve, the luminous reflectance of a reflectance curve</source>
        <translation>Y under C, 2°: the luminous transmittance of a transmittance curve, the luminous reflectance of a reflectance curve</translation>
    </message>
</context>
<context>
    <name>ReadingsSheet</name>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Test Name</source>
        <translation>Test Name</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>Haze</translation>
    </message>
</context>
<context>
    <name>SpreadsheetExport</name>
    <message>
        <source>The data were stored, but the readings sheet could not be added: %1</source>
        <translation>The data were stored, but the readings sheet could not be added: %1</translation>
    </message>
</context>
</TS>
