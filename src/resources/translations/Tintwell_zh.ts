<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
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
        <translation>已连接</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>未连接</translation>
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
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>More black</source>
        <translation>偏黑较多</translation>
    </message>
    <message>
        <source>Slight black</source>
        <translation>稍黑</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Slight white</source>
        <translation>稍白</translation>
    </message>
    <message>
        <source>More white</source>
        <translation>偏白较多</translation>
    </message>
    <message>
        <source>More green</source>
        <translation>偏绿较多</translation>
    </message>
    <message>
        <source>Slight green</source>
        <translation>稍绿</translation>
    </message>
    <message>
        <source>Slight red</source>
        <translation>稍红</translation>
    </message>
    <message>
        <source>More red</source>
        <translation>偏红较多</translation>
    </message>
    <message>
        <source>More Blue</source>
        <translation>偏蓝较多</translation>
    </message>
    <message>
        <source>Slight blue</source>
        <translation>稍蓝</translation>
    </message>
    <message>
        <source>Slight yellow</source>
        <translation>稍黄</translation>
    </message>
    <message>
        <source>More yellow</source>
        <translation>偏黄较多</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>不合格</translation>
    </message>
</context>
<context>
    <name>SimulatorControls</name>
    <message>
        <source>Press the measuring key of the simulated instrument</source>
        <translation>按下模拟仪器的测量键</translation>
    </message>
    <message>
        <source>Unplug the simulated instrument</source>
        <translation>拔出模拟仪器</translation>
    </message>
    <message>
        <source>Plug in the simulated instrument</source>
        <translation>插入模拟仪器</translation>
    </message>
    <message>
        <source>%1 - simulated %2 (F8 measuring key, F9 unplug)</source>
        <translation>%1 - 模拟 %2（F8 测量键，F9 拔出）</translation>
    </message>
    <message>
        <source>%1 - simulated %2, unplugged (F9 plug in)</source>
        <translation>%1 - 模拟 %2，已拔出（F9 插入）</translation>
    </message>
</context>
<context>
    <name>DeviceSetup</name>
    <message>
        <source>Unknown instrument model &quot;%1&quot;; choose one of %2.</source>
        <translation>未知的仪器型号“%1”，请从以下型号中选择：%2。</translation>
    </message>
    <message>
        <source>Invalid software version &quot;%1&quot;; write it as 312 or 3.12.</source>
        <translation>无效的软件版本“%1”，请写成 312 或 3.12。</translation>
    </message>
</context>
<context>
    <name>ReportPageFor310</name>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>测试信息</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>保存PDF</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source> Tester:</source>
        <translation> 测试人:</translation>
    </message>
    <message>
        <source> Auditor:</source>
        <translation> 审核人:</translation>
    </message>
</context>
<context>
    <name>ReportPageFor420</name>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>测试信息</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>保存PDF</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Test Report1</source>
        <translation>测试报告</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>Test Report</translation>
    </message>
</context>
<context>
    <name>ReportPage</name>
    <message>
        <source>Save PDF</source>
        <translation>保存PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The report could not be saved to %1.</source>
        <translation>报告无法保存到 %1。</translation>
    </message>
</context>
<context>
    <name>InformationPageFor310</name>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>information</source>
        <translation>测试信息</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>测试设备:</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>SN号:</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>公司名称:</translation>
    </message>
    <message>
        <source>Sample Name:</source>
        <translation>样品名称:</translation>
    </message>
    <message>
        <source>Test Time:</source>
        <translation>测试时间:</translation>
    </message>
    <message>
        <source>Tester:</source>
        <translation>测试人:</translation>
    </message>
    <message>
        <source>Auditor:</source>
        <translation>审核人:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>InformationPageFor420</name>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>information</source>
        <translation>测试信息</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>测试设备:</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>SN号:</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>公司名称:</translation>
    </message>
    <message>
        <source>Sample Name:</source>
        <translation>样品名称:</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E公式:</translation>
    </message>
    <message>
        <source>△E Thresholds:</source>
        <translation>△E阀值:</translation>
    </message>
    <message>
        <source>Test Time:</source>
        <translation>测试时间:</translation>
    </message>
    <message>
        <source>Tester:</source>
        <translation>测试人:</translation>
    </message>
    <message>
        <source>Auditor:</source>
        <translation>审核人:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>Colorimeter</name>
    <message>
        <source>△E </source>
        <translation>△E </translation>
    </message>
    <message>
        <source>△</source>
        <translation>△</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>permission denied</source>
        <translation>权限不足</translation>
    </message>
    <message>
        <source>the file cannot be created</source>
        <translation>无法创建该文件</translation>
    </message>
    <message>
        <source>Cannot lock %1: %2. Tintwell starts without the check for a second copy.</source>
        <translation>无法锁定 %1：%2。Tintwell 将在不检查是否已有另一个副本运行的情况下启动。</translation>
    </message>
</context>
</TS>
