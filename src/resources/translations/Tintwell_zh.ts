<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>No instrument: plug one in over USB, or start Tintwell with --simulate MODEL (%1).</source>
        <translation>未连接仪器：请通过 USB 插入仪器，或以 --simulate 型号 启动 Tintwell（%1）。</translation>
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
        <translation>已连接</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The texts of this language (%1.qm) are not in %2: the window stays in its language.</source>
        <translation>此语言的文字（%1.qm）不在 %2 中：窗口保持当前语言。</translation>
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
    <message>
        <source>△Transmittance</source>
        <translation>△透过率</translation>
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
        <translation>△雾度</translation>
    </message>
    <message>
        <source>△E Thresholds</source>
        <translation>△E阀值</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Statistics</source>
        <translation>统计分析</translation>
    </message>
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
    <message>
        <source>Device information</source>
        <translation>设备信息</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>序列号:</translation>
    </message>
    <message>
        <source>Firmware Version:</source>
        <translation>固件版本:</translation>
    </message>
    <message>
        <source> Comparison measurement</source>
        <translation> 对比测量</translation>
    </message>
    <message>
        <source>Scan Standard</source>
        <translation>测量标准</translation>
    </message>
    <message>
        <source>Load standard…</source>
        <translation>载入标准…</translation>
    </message>
    <message>
        <source>Load the standard from a CGATS or CxF3 file</source>
        <translation>从 CGATS 或 CxF3 文件载入标准</translation>
    </message>
    <message>
        <source>Load the standard from a CGATS (.ti3, .txt) or CxF3 (.cxf) file</source>
        <translation>从 CGATS（.ti3、.txt）或 CxF3（.cxf）文件载入标准</translation>
    </message>
    <message>
        <source>Load standard</source>
        <translation>载入标准</translation>
    </message>
    <message>
        <source>Colour exchange files (*.ti3 *.txt *.cxf)</source>
        <translation>颜色交换文件 (*.ti3 *.txt *.cxf)</translation>
    </message>
    <message>
        <source>the file holds no sample with L*a*b* values for D65/10°</source>
        <translation>文件中没有含 D65/10° L*a*b* 值的样品</translation>
    </message>
    <message>
        <source>No standard was loaded from %1: %2</source>
        <translation>未从 %1 载入标准：%2</translation>
    </message>
    <message>
        <source>%1 holds %2 samples; the standard is &quot;%3&quot;, the first standard in the file.</source>
        <translation>%1 含有 %2 个样品；标准为文件中的第一个标准“%3”。</translation>
    </message>
    <message>
        <source>Scan Sample</source>
        <translation>测量样品</translation>
    </message>
    <message>
        <source>Set display parameter</source>
        <translation>设置显示参数</translation>
    </message>
    <message>
        <source>Haze/T</source>
        <translation>雾度/透过率</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>雾度</translation>
    </message>
    <message>
        <source>T</source>
        <translation>透过率</translation>
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
        <translation>雾度/透过率/Lab</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>统计</translation>
    </message>
    <message>
        <source>NG </source>
        <translation>不合格 </translation>
    </message>
    <message>
        <source>PASS </source>
        <translation>合格 </translation>
    </message>
    <message>
        <source>Total</source>
        <translation>总数</translation>
    </message>
    <message>
        <source>Set tolerance</source>
        <translation>设置容差</translation>
    </message>
    <message>
        <source>Haze Tolerance(0-100)±:</source>
        <translation>雾度容差(0-100)±:</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>T Tolerance(0-100)±:</source>
        <translation>透过率容差(0-100)±:</translation>
    </message>
    <message>
        <source>△E Thresholds(0.1-50):</source>
        <translation>△E阈值(0.1-50):</translation>
    </message>
    <message>
        <source>Read tolerance</source>
        <translation>读取容差</translation>
    </message>
    <message>
        <source>△E parameter</source>
        <translation>△E参数</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E公式:</translation>
    </message>
    <message>
        <source>△E Thresholds:</source>
        <translation>△E阈值:</translation>
    </message>
    <message>
        <source>Set parameter </source>
        <translation>设置参数 </translation>
    </message>
    <message>
        <source>Read parameter</source>
        <translation>读取参数</translation>
    </message>
    <message>
        <source>Read comparison record</source>
        <translation>读取对比记录</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Export Excel</source>
        <translation>导出Excel</translation>
    </message>
    <message>
        <source>Spectral transmittance</source>
        <translation>光谱透过率</translation>
    </message>
    <message>
        <source>Spectral reflectance</source>
        <translation>光谱反射率</translation>
    </message>
    <message>
        <source>Write stdcolor</source>
        <translation>写入标准色</translation>
    </message>
    <message>
        <source>Tintwell haze and colour QC workstation</source>
        <translation>Tintwell 雾度与颜色质检工作站</translation>
    </message>
    <message>
        <source>Works with the TX310, TX420, TX430, TX450, TX460 and TX470</source>
        <translation>适用于 TX310、TX420、TX430、TX450、TX460 和 TX470</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样品</translation>
    </message>
    <message>
        <source>Transmittance</source>
        <translation>透过率</translation>
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
        <translation>序号</translation>
    </message>
    <message>
        <source>Test Name</source>
        <translation>测试名称</translation>
    </message>
    <message>
        <source>DateTime</source>
        <translation>日期时间</translation>
    </message>
    <message>
        <source>△Haze</source>
        <translation>△雾度</translation>
    </message>
    <message>
        <source>△T</source>
        <translation>△透过率</translation>
    </message>
    <message>
        <source>△E</source>
        <translation>△E</translation>
    </message>
    <message>
        <source>Pass or not</source>
        <translation>是否合格</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>Tip</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Clearing data will clear all comparison records. Are you sure you want to clear it?</source>
        <translation>清除数据将清除所有对比记录，确定要清除吗？</translation>
    </message>
    <message>
        <source>UnKnow</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Failed to read device information!</source>
        <translation>读取设备信息失败！</translation>
    </message>
    <message>
        <source>Read key infomation fail!</source>
        <translation>读取关键信息失败！</translation>
    </message>
    <message>
        <source>Read MeterNo Fail!</source>
        <translation>读取仪器编号失败！</translation>
    </message>
    <message>
        <source>Failed to read software version number!</source>
        <translation>读取软件版本号失败！</translation>
    </message>
    <message>
        <source>Failed to read DisplayParam!</source>
        <translation>读取显示参数失败！</translation>
    </message>
    <message>
        <source>The comparison journal cannot be used: %1
Tintwell goes on without it; the rows of this session are kept in memory only.</source>
        <translation>比对记录日志无法使用：%1
Tintwell 将在没有日志的情况下继续工作；本次的记录只保存在内存中。</translation>
    </message>
    <message>
        <source>The comparison journal %1 was damaged. It was moved to %2 and a new one started.</source>
        <translation>比对记录日志 %1 已损坏。它已被移到 %2，并已新建一个日志。</translation>
    </message>
    <message>
        <source>The comparison journal stopped working: %1
Tintwell goes on without it; the rows of this session are kept in memory only.</source>
        <translation>比对记录日志停止工作：%1
Tintwell 将在没有日志的情况下继续工作；本次的记录只保存在内存中。</translation>
    </message>
    <message>
        <source>%1 comparison rows of the session of %2 (%3) were not cleared or exported. Restore them?</source>
        <translation>%2（%3）的 %1 条比对记录尚未清除或导出。是否恢复？</translation>
    </message>
    <message>
        <source>Sessions closed more than %3 days ago were removed from the comparison journal: %2 sessions, %1 comparisons (setting journal/pruneClosedAfterDays in %4).</source>
        <translation>已从比对记录日志中删除关闭超过 %3 天的会话：%2 个会话，%1 条比对记录（%4 中的设置 journal/pruneClosedAfterDays）。</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
    <message>
        <source>Failed to read measurement data!</source>
        <translation>读取测量数据失败！</translation>
    </message>
    <message>
        <source>The standard's %1 is empty or not a number; nothing was compared.</source>
        <translation>标准的%1为空或不是数字，未进行比较。</translation>
    </message>
    <message>
        <source>The sample's %1 is empty or not a number; nothing was compared.</source>
        <translation>样品的%1为空或不是数字，未进行比较。</translation>
    </message>
    <message>
        <source>A standard from a file has no haze or transmittance: it can be judged only in the Lab, LCh and Yxy modes.</source>
        <translation>文件中的标准没有雾度和透过率：只能在 Lab、LCh 和 Yxy 模式下判定。</translation>
    </message>
    <message>
        <source>CGATS files (*.ti3 *.txt)</source>
        <translation>CGATS 文件 (*.ti3 *.txt)</translation>
    </message>
    <message>
        <source>CxF3 files (*.cxf)</source>
        <translation>CxF3 文件 (*.cxf)</translation>
    </message>
    <message>
        <source>The rows in the table were taken in the %1 mode: clear them (export them first if they are still needed) before adding comparisons made in the %2 mode.</source>
        <translation>表中的记录是在 %1 模式下测得的：请先清除这些记录（如仍需要，请先导出），再添加在 %2 模式下测得的比较。</translation>
    </message>
    <message>
        <source>The comparison measurement record list data will be cleared. Do you want to continue saving the parameter settings?</source>
        <translation>对比测量记录列表数据将被清空，是否继续保存参数设置？</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>SN</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Standard Haze</source>
        <translation>标准雾度</translation>
    </message>
    <message>
        <source>Standard Transmittance</source>
        <translation>标准透过率</translation>
    </message>
    <message>
        <source>Sample Haze</source>
        <translation>样品雾度</translation>
    </message>
    <message>
        <source>Sample Transmittance</source>
        <translation>样品透过率</translation>
    </message>
    <message>
        <source>Haze Tolerance</source>
        <translation>雾度容差</translation>
    </message>
    <message>
        <source>Transmittance Tolerance</source>
        <translation>透过率容差</translation>
    </message>
    <message>
        <source>Standard L*</source>
        <translation>标准色L*</translation>
    </message>
    <message>
        <source>Standard a*</source>
        <translation>标准色a*</translation>
    </message>
    <message>
        <source>Standard b*</source>
        <translation>标准色b*</translation>
    </message>
    <message>
        <source>Standard C*</source>
        <translation>标准色C*</translation>
    </message>
    <message>
        <source>Standard h</source>
        <translation>标准色h</translation>
    </message>
    <message>
        <source>Standard Y</source>
        <translation>标准色Y</translation>
    </message>
    <message>
        <source>Standard x</source>
        <translation>标准色x</translation>
    </message>
    <message>
        <source>Standard y</source>
        <translation>标准色y</translation>
    </message>
    <message>
        <source>Sample L*</source>
        <translation>样品色L*</translation>
    </message>
    <message>
        <source>Sample a*</source>
        <translation>样品色a*</translation>
    </message>
    <message>
        <source>Sample b*</source>
        <translation>样品色b*</translation>
    </message>
    <message>
        <source>Sample C*</source>
        <translation>样品色C*</translation>
    </message>
    <message>
        <source>Sample h</source>
        <translation>样品色h</translation>
    </message>
    <message>
        <source>Sample Y</source>
        <translation>样品色Y</translation>
    </message>
    <message>
        <source>Sample x</source>
        <translation>样品色x</translation>
    </message>
    <message>
        <source>Sample y</source>
        <translation>样品色y</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>是否合格</translation>
    </message>
    <message>
        <source>Delete row %1</source>
        <translation>删除第%1行</translation>
    </message>
    <message>
        <source>Report for %1</source>
        <translation>%1的报告</translation>
    </message>
    <message>
        <source>Library standard</source>
        <translation>库标准</translation>
    </message>
    <message>
        <source>Standard version</source>
        <translation>标准版本</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>预警</translation>
    </message>
    <message>
        <source>Decided by</source>
        <translation>判定依据</translation>
    </message>
    <message>
        <source>PASS rows with a value beyond the warning band of their standard's tolerances</source>
        <translation>数值超出其标准容差预警带的 PASS 行</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>预警</translation>
    </message>
    <message>
        <source>Standard n</source>
        <translation>标准色读数次数</translation>
    </message>
    <message>
        <source>Sample n</source>
        <translation>样品读数次数</translation>
    </message>
    <message>
        <source>%1 SD</source>
        <translation>%1 标准差</translation>
    </message>
    <message>
        <source>%1 range</source>
        <translation>%1 极差</translation>
    </message>
    <message>
        <source>Readings per standard</source>
        <translation>每个标准的读数次数</translation>
    </message>
    <message>
        <source>Readings per sample</source>
        <translation>每个样品的读数次数</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>平均值</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>中位数</translation>
    </message>
    <message>
        <source>Average of the readings</source>
        <translation>读数的平均方式</translation>
    </message>
    <message>
        <source>Read again when the ΔE between readings exceeds</source>
        <translation>读数之间的 ΔE 超过此值时重测</translation>
    </message>
    <message>
        <source>One more reading is asked for when two readings of a specimen differ by more than this ΔE (off: never)</source>
        <translation>同一试样的两次读数相差超过此 ΔE 时，要求再测一次（关闭：从不）</translation>
    </message>
    <message>
        <source>Discard last reading</source>
        <translation>放弃上一次读数</translation>
    </message>
    <message>
        <source>%1: %2 readings taken</source>
        <translation>%1：已测 %2 次读数</translation>
    </message>
    <message>
        <source>%1: reading %2 of %3</source>
        <translation>%1：第 %2 次读数，共 %3 次</translation>
    </message>
    <message>
        <source>%1: readings differ by ΔE %2, more than %3: take one more reading</source>
        <translation>%1：读数之间相差 ΔE %2，超过 %3：请再测一次</translation>
    </message>
    <message>
        <source>%1: n = %2</source>
        <translation>%1：n = %2</translation>
    </message>
    <message>
        <source>  %1: SD %2, range %3</source>
        <translation>  %1：标准差 %2，极差 %3</translation>
    </message>
    <message>
        <source>Median of the readings</source>
        <translation>读数的中位数</translation>
    </message>
    <message>
        <source>Mean of the readings</source>
        <translation>读数的平均值</translation>
    </message>
    <message>
        <source>%1 (n=%2)</source>
        <translation>%1（n=%2）</translation>
    </message>
    <message>
        <source>Std ×</source>
        <translation>标准 ×</translation>
    </message>
    <message>
        <source>Sample ×</source>
        <translation>样品 ×</translation>
    </message>
    <message>
        <source>Readings per standard: the standard is their mean or median</source>
        <translation>每个标准的读数次数：标准取其平均值或中位数</translation>
    </message>
    <message>
        <source>Readings per sample: the sample is their mean or median</source>
        <translation>每个样品的读数次数：样品取其平均值或中位数</translation>
    </message>
    <message>
        <source>Re-read&gt;</source>
        <translation>重测&gt;</translation>
    </message>
    <message>
        <source>No re-read</source>
        <translation>不重测</translation>
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
        <source>Try &quot;tintwell --help&quot;.</source>
        <translation>请运行“tintwell --help”查看用法。</translation>
    </message>
    <message>
        <source>Unknown option &quot;%1&quot;.</source>
        <translation>未知的选项“%1”。</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;.</source>
        <translation>多余的参数“%1”。</translation>
    </message>
    <message>
        <source>Unknown instrument model &quot;%1&quot;; choose one of %2.</source>
        <translation>未知的仪器型号“%1”，请从以下型号中选择：%2。</translation>
    </message>
    <message>
        <source>Invalid software version &quot;%1&quot;; write it as 312 or 3.12.</source>
        <translation>无效的软件版本“%1”，请写成 312 或 3.12。</translation>
    </message>
    <message>
        <source>--lang takes zh or en.</source>
        <translation>--lang 的值只能是 zh 或 en。</translation>
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
        <source>Statistics page</source>
        <translation>统计页</translation>
    </message>
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
    <message>
        <source>Report preview</source>
        <translation>报告预览</translation>
    </message>
    <message>
        <source>Can't create a file in the folder %1: the folder is read-only. Please choose another folder.</source>
        <translation>无法在文件夹 %1 中创建文件：该文件夹为只读。请选择其他文件夹。</translation>
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
        <source>the file cannot be locked</source>
        <translation>无法对该文件加锁</translation>
    </message>
    <message>
        <source>Cannot lock %1: %2. Tintwell starts without the check for a second copy.</source>
        <translation>无法锁定 %1：%2。Tintwell 将在不检查是否已有另一个副本运行的情况下启动。</translation>
    </message>
</context>
<context>
    <name>RecordImport</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Colorimeter</source>
        <translation>色差仪</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
    <message>
        <source>Data import willempty the list, to save data first?</source>
        <translation>导入数据将清空列表，是否先保存数据？</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>正在存储数据，请稍候...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Import cancelled: nothing was added to the list.</source>
        <translation>导入已取消，列表中未添加任何数据。</translation>
    </message>
    <message>
        <source>No comparison record!</source>
        <translation>没有对比记录！</translation>
    </message>
    <message>
        <source>Failed to read the number of color difference records!</source>
        <translation>读取色差记录数量失败！</translation>
    </message>
    <message>
        <source>difference history data error, unable to export!</source>
        <translation>差异历史数据错误，无法导出！</translation>
    </message>
    <message>
        <source>Color difference history data error, unable to export!</source>
        <translation>色差历史数据错误，无法导出！</translation>
    </message>
    <message>
        <source>Reading difference recording lab data failed!</source>
        <translation>读取差异记录Lab数据失败！</translation>
    </message>
    <message>
        <source>Reading color difference recording lab data failed!</source>
        <translation>读取色差记录Lab数据失败！</translation>
    </message>
    <message>
        <source>Failed to read color difference record name data!</source>
        <translation>读取色差记录名称数据失败！</translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please enter the haze tolerance!</source>
        <translation>请输入雾度容差！</translation>
    </message>
    <message>
        <source>Please enter the transmittance tolerance!</source>
        <translation>请输入透过率容差！</translation>
    </message>
    <message>
        <source>Please enter the △E threshold!</source>
        <translation>请输入△E阈值！</translation>
    </message>
    <message>
        <source>Haze Tolerance must between 0-100!</source>
        <translation>雾度容差必须介于0-100之间！</translation>
    </message>
    <message>
        <source>Transmittance  Tolerance must between 0-100!</source>
        <translation>透过率容差必须介于0-100之间！</translation>
    </message>
    <message>
        <source>Thresholds must between 0.1-50!</source>
        <translation>阈值必须介于0.1-50之间！</translation>
    </message>
</context>
<context>
    <name>SettingsExchange</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
    <message>
        <source>Failed to Read Tolerance information!</source>
        <translation>读取容差信息失败！</translation>
    </message>
    <message>
        <source>Read successful!</source>
        <translation>读取成功！</translation>
    </message>
    <message>
        <source>Failed to Setup  Tolerance information!</source>
        <translation>设置容差信息失败！</translation>
    </message>
    <message>
        <source>Setup successfully!</source>
        <translation>设置成功！</translation>
    </message>
    <message>
        <source>Failed to read △E parameter information!</source>
        <translation>读取△E参数信息失败！</translation>
    </message>
    <message>
        <source>Failed to Setup  DisplayParam information!</source>
        <translation>设置显示参数信息失败！</translation>
    </message>
</context>
<context>
    <name>setEParameterPageFor470</name>
    <message>
        <source>△E parameter Setting</source>
        <translation>△E参数设置</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E公式：</translation>
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
        <translation>△E阈值：</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
</context>
<context>
    <name>FirstPageFor420</name>
    <message>
        <source>NO</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Test Name</source>
        <translation>测试名称</translation>
    </message>
    <message>
        <source>DateTime</source>
        <translation>日期时间</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样品</translation>
    </message>
    <message>
        <source>Pass or not</source>
        <translation>是否合格</translation>
    </message>
</context>
<context>
    <name>MeterPageFor310</name>
    <message>
        <source>Spectra</source>
        <translation>光谱</translation>
    </message>
    <message>
        <source>Spectral history</source>
        <translation>光谱历史</translation>
    </message>
    <message>
        <source>Spectral measurement</source>
        <translation>光谱测量</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Export Excel</source>
        <translation>导出Excel</translation>
    </message>
    <message>
        <source>No</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Curve</source>
        <translation>曲线</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Tip</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Colorimeter</source>
        <translation>色差仪</translation>
    </message>
    <message>
        <source>Measurement exceeds the maximum quantity, please save the excel file before measuring!</source>
        <translation>测量数量已达上限，请先保存Excel文件再测量！</translation>
    </message>
    <message>
        <source>Failed to read data information!</source>
        <translation>读取数据信息失败！</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
    <message>
        <source>Spectral history data error, unable to export!</source>
        <translation>光谱历史数据错误，无法导出！</translation>
    </message>
    <message>
        <source>Failed to read the number of spectral records!</source>
        <translation>读取光谱记录数量失败！</translation>
    </message>
    <message>
        <source>No spectral history!</source>
        <translation>没有光谱历史记录！</translation>
    </message>
    <message>
        <source>Reading spectral recording data failed!</source>
        <translation>读取光谱记录数据失败！</translation>
    </message>
    <message>
        <source>Failed to read spectral record name data!</source>
        <translation>读取光谱记录名称数据失败！</translation>
    </message>
    <message>
        <source>Data import willempty the list, to save data first?</source>
        <translation>导入数据将清空列表，是否先保存数据？</translation>
    </message>
    <message>
        <source>Clearing data will clear all spectral records. Are you sure you want to clear it?</source>
        <translation>清空数据将清除所有光谱记录，确定要清空吗？</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>正在存储数据，请稍候...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Wavelength(nm)</source>
        <translation>波长(nm)</translation>
    </message>
    <message>
        <source>Transmittance(%)</source>
        <translation>透过率(%)</translation>
    </message>
    <message>
        <source>Reflectance(%)</source>
        <translation>反射率(%)</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Illuminant</source>
        <translation>光源</translation>
    </message>
    <message>
        <source>Observer</source>
        <translation>观察者</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样品</translation>
    </message>
    <message>
        <source>Formula</source>
        <translation>公式</translation>
    </message>
    <message>
        <source>△E limit</source>
        <translation>△E限值</translation>
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
        <translation>超出该指数所适用的样品范围</translation>
    </message>
    <message>
        <source>WI</source>
        <translation>白度</translation>
    </message>
    <message>
        <source>Tint</source>
        <translation>淡色调</translation>
    </message>
    <message>
        <source>YI %1</source>
        <translation>黄度 %1</translation>
    </message>
    <message>
        <source>%1 (reference)</source>
        <translation>%1（参考）</translation>
    </message>
    <message>
        <source>MI (%1)</source>
        <translation>MI (%1)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>%1 and %2 under each illuminant; metamerism index (MI) against %3 by %1 with the additive correction (the differences under %3 taken off). A row passes when %1 and MI are within the limit.</source>
        <translation>各光源下的%1与%2；同色异谱指数（MI）以%3为参考，按%1计算，采用加法修正（减去%3下的差值）。%1与MI均不超过限值时该行合格。</translation>
    </message>
    <message>
        <source>Choose a standard and a sample.</source>
        <translation>请选择标准和样品。</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>结果：%1</translation>
    </message>
    <message>
        <source>ASTM E313 yellowness under %1</source>
        <translation>ASTM E313 黄度，光源 %1</translation>
    </message>
    <message>
        <source>CIE whiteness and tint under D65</source>
        <translation>CIE 白度与淡色调，光源 D65</translation>
    </message>
    <message>
        <source>Take as standard…</source>
        <translation>设为标准…</translation>
    </message>
    <message>
        <source>Take the chosen curve as a library standard</source>
        <translation>将所选曲线设为标准库中的标准</translation>
    </message>
    <message>
        <source>Take as standard</source>
        <translation>设为标准</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is now a standard of the library.</source>
        <translation>“%1”已成为标准库中的标准。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not taken as a standard: %2</source>
        <translation>“%1”未能设为标准：%2</translation>
    </message>
</context>
<context>
    <name>StandardColorUpload</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
    <message>
        <source>File error, cannot read %1: a standard-colour workbook must be named %2.</source>
        <translation>文件错误，无法读取 %1：标准色库工作簿必须命名为 %2。</translation>
    </message>
    <message>
        <source>Can't open file!</source>
        <translation>无法打开文件！</translation>
    </message>
    <message>
        <source>Failed to write the total number of standard color cards!</source>
        <translation>写入标准色卡总数失败！</translation>
    </message>
    <message>
        <source>Failed to write standard color card information!</source>
        <translation>写入标准色卡信息失败！</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>正在存储数据，请稍候...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Failed to write standard color card data!</source>
        <translation>写入标准色卡数据失败！</translation>
    </message>
    <message>
        <source>Failed to write!</source>
        <translation>写入失败！</translation>
    </message>
    <message>
        <source>Failed to write empty packet!</source>
        <translation>写入空数据包失败！</translation>
    </message>
    <message>
        <source>Write to standard color card library successfully!</source>
        <translation>成功写入标准色卡库！</translation>
    </message>
    <message>
        <source>Standard colours (*.xlsx *.ti3 *.txt *.cxf)</source>
        <translation>标准色文件 (*.xlsx *.ti3 *.txt *.cxf)</translation>
    </message>
    <message>
        <source>CGATS standards (*.ti3 *.txt)</source>
        <translation>CGATS 标准色文件 (*.ti3 *.txt)</translation>
    </message>
    <message>
        <source>CxF3 standards (*.cxf)</source>
        <translation>CxF3 标准色文件 (*.cxf)</translation>
    </message>
    <message>
        <source>The standards in %1 cannot be read: %2</source>
        <translation>无法读取 %1 中的标准色：%2</translation>
    </message>
    <message>
        <source>Nothing was written: these standards have no L*a*b* values: %1</source>
        <translation>未写入任何内容：以下标准没有 L*a*b* 值：%1</translation>
    </message>
    <message>
        <source>The standards cannot be written: %1</source>
        <translation>无法写入这些标准：%1</translation>
    </message>
</context>
<context>
    <name>StandardColorSheet</name>
    <message>
        <source>Failed to read excel file!</source>
        <translation>读取Excel文件失败！</translation>
    </message>
    <message>
        <source>The written contents do not match and cannot be written!</source>
        <translation>写入内容不匹配，无法写入！</translation>
    </message>
    <message>
        <source>Row 2 must hold the number of standard color cards and its checksum, but the sheet ends at row 1.</source>
        <translation>第2行应包含标准色卡数量及其校验和，但表格在第1行就结束了。</translation>
    </message>
    <message>
        <source>Row 2: the number of standard color cards must be a whole number from 0 to %1, not &quot;%2&quot;.</source>
        <translation>第2行：标准色卡数量必须是0到%1之间的整数，而不是“%2”。</translation>
    </message>
    <message>
        <source>Row 2: the checksum &quot;%1&quot; does not match the number of standard color cards.</source>
        <translation>第2行：校验和“%1”与标准色卡数量不符。</translation>
    </message>
    <message>
        <source>Row %1 should hold standard color card %2, but the sheet ends at row %3.</source>
        <translation>第%1行应包含第%2张标准色卡，但表格在第%3行就结束了。</translation>
    </message>
    <message>
        <source>Row %1: the card name &quot;%2&quot; takes more than %3 bytes.</source>
        <translation>第%1行：色卡名称“%2”超过%3个字节。</translation>
    </message>
    <message>
        <source>Row %1: &quot;%2&quot; in column %3 is not a whole number from 0 to 65535.</source>
        <translation>第%1行：%3列中的“%2”不是0到65535之间的整数。</translation>
    </message>
    <message>
        <source>Row %1: the checksum &quot;%2&quot; does not match the standard color card.</source>
        <translation>第%1行：校验和“%2”与标准色卡不符。</translation>
    </message>
    <message>
        <source>Error in Excel file with not enough rows of standard color cards!</source>
        <translation>Excel文件错误，标准色卡的行数不足！</translation>
    </message>
    <message>
        <source>Row %1: the name &quot;%2&quot; takes more than %3 bytes.</source>
        <translation>第%1行：名称“%2”超过%3个字节。</translation>
    </message>
    <message>
        <source>Row %1: &quot;%2&quot; in column %3 is no number from -327.68 to 655.35.</source>
        <translation>第%1行：%3列中的“%2”不是-327.68到655.35之间的数值。</translation>
    </message>
</context>
<context>
    <name>SpreadsheetExport</name>
    <message>
        <source>The data were stored, but the statistics sheet could not be added: %1</source>
        <translation>数据已存储，但无法添加统计工作表：%1</translation>
    </message>
    <message>
        <source>Storing data to Excel</source>
        <translation>存储数据到Excel</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Can't overwrite this file, maybe the file is in use!</source>
        <translation>无法覆盖此文件，文件可能正在使用中！</translation>
    </message>
    <message>
        <source>Failed to store data, can't open file!</source>
        <translation>存储数据失败，无法打开文件！</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>正在存储数据，请稍候...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Failed to export data to excel file</source>
        <translation>导出数据到Excel文件失败</translation>
    </message>
    <message>
        <source>Storing data</source>
        <translation>存储数据</translation>
    </message>
    <message>
        <source>Export cancelled: %1 of %2 records were stored to the file, and the records are kept.</source>
        <translation>导出已取消：%2条记录中的%1条已存入文件，记录仍保留。</translation>
    </message>
    <message>
        <source>Data stored to file Success</source>
        <translation>数据成功存储到文件</translation>
    </message>
    <message>
        <source>No data for Storing to Excel!</source>
        <translation>没有可存储到Excel的数据！</translation>
    </message>
    <message>
        <source>Can't create a file in the folder %1: the folder is read-only. Please choose another folder.</source>
        <translation>无法在文件夹 %1 中创建文件：该文件夹为只读。请选择其他文件夹。</translation>
    </message>
    <message>
        <source>CSV, UTF-8 (*.csv)</source>
        <translation>CSV，UTF-8 (*.csv)</translation>
    </message>
    <message>
        <source>CGATS measurement file (*.ti3)</source>
        <translation>CGATS 测量文件 (*.ti3)</translation>
    </message>
    <message>
        <source>CxF3 colour exchange (*.cxf)</source>
        <translation>CxF3 颜色交换文件 (*.cxf)</translation>
    </message>
    <message>
        <source>Failed to store data: %1</source>
        <translation>存储数据失败：%1</translation>
    </message>
    <message>
        <source>the records hold no L*a*b* values, which this format carries; choose CSV or a workbook</source>
        <translation>记录中没有该格式所需的 L*a*b* 值；请选择 CSV 或 Excel 工作簿</translation>
    </message>
    <message>
        <source>the table's records are not at hand (%1 of %2)</source>
        <translation>无法取得表格的记录（%1/%2）</translation>
    </message>
    <message>
        <source>The data were stored, but the colour sheet could not be added: %1</source>
        <translation>数据已存储，但无法添加颜色工作表：%1</translation>
    </message>
    <message>
        <source>Some rows were read several times. Write one set per reading to the CGATS file? (No: the mean or median of their readings.)</source>
        <translation>有些行测了多次读数。是否在 CGATS 文件中为每次读数各写一组？（否：写其读数的平均值或中位数。）</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Replace file</source>
        <translation>替换文件</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
要替换它吗？</translation>
    </message>
</context>
<context>
    <name>StatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>统计分析</translation>
    </message>
    <message>
        <source>Standard:</source>
        <translation>标准：</translation>
    </message>
    <message>
        <source>Chart of:</source>
        <translation>图表：</translation>
    </message>
    <message>
        <source>Control limits from:</source>
        <translation>控制限来自：</translation>
    </message>
    <message>
        <source>All samples</source>
        <translation>全部样品</translation>
    </message>
    <message>
        <source>The first samples (frozen)</source>
        <translation>前若干个样品（冻结）</translation>
    </message>
    <message>
        <source>A range of samples (frozen)</source>
        <translation>一段样品（冻结）</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>to</source>
        <translation>到</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>样品数</translation>
    </message>
    <message>
        <source>Rows: %1    PASS: %2    NG: %3    Pass rate: %4</source>
        <translation>行数：%1    合格：%2    不合格：%3    合格率：%4</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>%1 to %2: %3 samples</source>
        <translation>%1 到 %2：%3 个样品</translation>
    </message>
    <message>
        <source>Individuals: %1</source>
        <translation>单值图：%1</translation>
    </message>
    <message>
        <source>Moving range</source>
        <translation>移动极差</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样品序号</translation>
    </message>
    <message>
        <source>a*b* plane</source>
        <translation>a*b* 平面</translation>
    </message>
    <message>
        <source>Histogram: %1</source>
        <translation>直方图：%1</translation>
    </message>
    <message>
        <source>Rows: %1    PASS: %2    NG: %3    Warnings: %5    Pass rate: %4</source>
        <translation>行数：%1    合格：%2    不合格：%3    预警：%5    合格率：%4</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>ΔHaze</source>
        <translation>Δ雾度</translation>
    </message>
    <message>
        <source>ΔT</source>
        <translation>Δ透过率</translation>
    </message>
    <message>
        <source>gamma</source>
        <translation>伽马</translation>
    </message>
    <message>
        <source>log-normal</source>
        <translation>对数正态</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>差值</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>行数</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>Pass rate</source>
        <translation>合格率</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>平均值</translation>
    </message>
    <message>
        <source>SD</source>
        <translation>标准差</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>中位数</translation>
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
        <translation>Cpk 95% 下限</translation>
    </message>
    <message>
        <source>Ppk 95% lower</source>
        <translation>Ppk 95% 下限</translation>
    </message>
    <message>
        <source>Percentile index</source>
        <translation>百分位数指数</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>拟合</translation>
    </message>
    <message>
        <source>All rows</source>
        <translation>全部行</translation>
    </message>
    <message>
        <source>Standard %1 (%2)</source>
        <translation>标准 %1（%2）</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>预警</translation>
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
        <translation>本批统计</translation>
    </message>
    <message>
        <source>Rows: %1    PASS: %2    NG: %3</source>
        <translation>行数：%1    合格：%2    不合格：%3</translation>
    </message>
</context>
<context>
    <name>CgatsWriter</name>
    <message>
        <source>The samples have neither L*a*b* values nor a spectrum.</source>
        <translation>样品既没有 L*a*b* 值，也没有光谱。</translation>
    </message>
    <message>
        <source>More samples than announced (%1).</source>
        <translation>样品多于预告的数量（%1）。</translation>
    </message>
    <message>
        <source>Sample &quot;%1&quot; has no L*a*b* values.</source>
        <translation>样品“%1”没有 L*a*b* 值。</translation>
    </message>
    <message>
        <source>Sample &quot;%1&quot; has no spectrum.</source>
        <translation>样品“%1”没有光谱。</translation>
    </message>
    <message>
        <source>%1 samples written, %2 announced.</source>
        <translation>已写入 %1 个样品，预告为 %2 个。</translation>
    </message>
    <message>
        <source>Sample &quot;%1&quot; has no computed colour.</source>
        <translation>样品“%1”没有计算出的颜色。</translation>
    </message>
</context>
<context>
    <name>CgatsReader</name>
    <message>
        <source>a quoted string is not closed</source>
        <translation>引号中的字符串没有结束</translation>
    </message>
    <message>
        <source>more than %1 fields</source>
        <translation>字段多于 %1 个</translation>
    </message>
    <message>
        <source>BEGIN_DATA_FORMAT has no END_DATA_FORMAT</source>
        <translation>BEGIN_DATA_FORMAT 缺少 END_DATA_FORMAT</translation>
    </message>
    <message>
        <source>BEGIN_DATA comes before the field list (BEGIN_DATA_FORMAT)</source>
        <translation>BEGIN_DATA 出现在字段列表（BEGIN_DATA_FORMAT）之前</translation>
    </message>
    <message>
        <source>NUMBER_OF_FIELDS is missing</source>
        <translation>缺少 NUMBER_OF_FIELDS</translation>
    </message>
    <message>
        <source>NUMBER_OF_FIELDS says %1, the field list has %2</source>
        <translation>NUMBER_OF_FIELDS 为 %1，字段列表却有 %2 个</translation>
    </message>
    <message>
        <source>NUMBER_OF_SETS is missing</source>
        <translation>缺少 NUMBER_OF_SETS</translation>
    </message>
    <message>
        <source>field %1 is listed twice</source>
        <translation>字段 %1 出现了两次</translation>
    </message>
    <message>
        <source>neither SAMPLE_ID nor SAMPLE_NAME is among the fields</source>
        <translation>字段中既没有 SAMPLE_ID 也没有 SAMPLE_NAME</translation>
    </message>
    <message>
        <source>D65LAB_L, D65LAB_A and D65LAB_B must come together</source>
        <translation>D65LAB_L、D65LAB_A 和 D65LAB_B 必须同时出现</translation>
    </message>
    <message>
        <source>SPEC_%1 is missing: a spectrum needs every band from 400 to 700 nm in 10 nm steps</source>
        <translation>缺少 SPEC_%1：光谱需要 400 至 700 nm 间隔 10 nm 的每个波段</translation>
    </message>
    <message>
        <source>no D65LAB_L/A/B fields and no spectrum (LAB_L/A/B hold values for the D50 white, not the instrument's D65/10°)</source>
        <translation>没有 D65LAB_L/A/B 字段，也没有光谱（LAB_L/A/B 是 D50 白点的值，不是仪器的 D65/10°）</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; has a comma as its decimal mark; CGATS numbers use a point</source>
        <translation>%1 的值“%2”用逗号作小数点；CGATS 数字应使用小数点“.”</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; is not a number</source>
        <translation>%1 的值“%2”不是数字</translation>
    </message>
    <message>
        <source>%1 values, NUMBER_OF_FIELDS is %2</source>
        <translation>有 %1 个值，NUMBER_OF_FIELDS 为 %2</translation>
    </message>
    <message>
        <source>more sets than NUMBER_OF_SETS (%1)</source>
        <translation>数据组多于 NUMBER_OF_SETS（%1）</translation>
    </message>
    <message>
        <source>reading was stopped</source>
        <translation>读取已停止</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>文件为空</translation>
    </message>
    <message>
        <source>a CGATS file starts with its file identifier (such as CTI3)</source>
        <translation>CGATS 文件应以文件标识（如 CTI3）开头</translation>
    </message>
    <message>
        <source>the file ends before BEGIN_DATA</source>
        <translation>文件在 BEGIN_DATA 之前结束</translation>
    </message>
    <message>
        <source>a second BEGIN_DATA_FORMAT</source>
        <translation>出现第二个 BEGIN_DATA_FORMAT</translation>
    </message>
    <message>
        <source>%1 needs a whole number</source>
        <translation>%1 需要一个整数</translation>
    </message>
    <message>
        <source>SPECTRAL_NORM needs a positive number</source>
        <translation>SPECTRAL_NORM 需要一个正数</translation>
    </message>
    <message>
        <source>%1 without its beginning</source>
        <translation>%1 缺少对应的开始</translation>
    </message>
    <message>
        <source>the file ends without END_DATA</source>
        <translation>文件结束时缺少 END_DATA</translation>
    </message>
    <message>
        <source>NUMBER_OF_SETS says %1, the data holds %2 (END_DATA on line %3)</source>
        <translation>NUMBER_OF_SETS 为 %1，数据却有 %2 组（END_DATA 在第 %3 行）</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; is out of range</source>
        <translation>%1 的值“%2”超出范围</translation>
    </message>
    <message>
        <source>SPEC_%1 is out of range for SPECTRAL_NORM</source>
        <translation>按 SPECTRAL_NORM 换算后 SPEC_%1 超出范围</translation>
    </message>
</context>
<context>
    <name>CxfWriter</name>
    <message>
        <source>Sample &quot;%1&quot; has neither L*a*b* values nor a spectrum.</source>
        <translation>样品“%1”既没有 L*a*b* 值，也没有光谱。</translation>
    </message>
</context>
<context>
    <name>CxfReader</name>
    <message>
        <source>%1 value &quot;%2&quot; has a comma as its decimal mark; CxF numbers use a point</source>
        <translation>%1 的值“%2”用逗号作小数点；CxF 数字应使用小数点“.”</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; is not a number</source>
        <translation>%1 的值“%2”不是数字</translation>
    </message>
    <message>
        <source>Object without Id</source>
        <translation>Object 缺少 Id</translation>
    </message>
    <message>
        <source>CreationDate &quot;%1&quot; is no date and time</source>
        <translation>CreationDate“%1”不是日期时间</translation>
    </message>
    <message>
        <source>StartWL needs a whole number of nanometres</source>
        <translation>StartWL 需要整数纳米值</translation>
    </message>
    <message>
        <source>%1 holds more than 4096 values</source>
        <translation>%1 包含的值多于 4096 个</translation>
    </message>
    <message>
        <source>WavelengthRange needs whole numbers for StartWL and Increment</source>
        <translation>WavelengthRange 的 StartWL 和 Increment 需要整数</translation>
    </message>
    <message>
        <source>Object &quot;%1&quot;</source>
        <translation>Object“%1”</translation>
    </message>
    <message>
        <source>%1: ColorCIELab needs L, A and B</source>
        <translation>%1：ColorCIELab 需要 L、A 和 B</translation>
    </message>
    <message>
        <source>%1: ColorSpecification &quot;%2&quot; is not defined</source>
        <translation>%1：未定义 ColorSpecification“%2”</translation>
    </message>
    <message>
        <source>%1: its ColorCIELab is for %2/%3; standards need D65/10_Degree</source>
        <translation>%1：其 ColorCIELab 适用于 %2/%3；标准色需要 D65/10_Degree</translation>
    </message>
    <message>
        <source>%1: the spectrum has no StartWL</source>
        <translation>%1：光谱缺少 StartWL</translation>
    </message>
    <message>
        <source>%1: the spectrum (from %2 nm in %3 nm steps) has no band at 400 nm, 410 nm, … 700 nm</source>
        <translation>%1：光谱（从 %2 nm 起，间隔 %3 nm）没有 400 nm、410 nm … 700 nm 的波段</translation>
    </message>
    <message>
        <source>%1: the spectrum is missing bands from %2 nm on</source>
        <translation>%1：光谱缺少 %2 nm 及以后的波段</translation>
    </message>
    <message>
        <source>%1 has neither ColorCIELab nor a spectrum</source>
        <translation>%1 既没有 ColorCIELab 也没有光谱</translation>
    </message>
    <message>
        <source>document type declarations are not accepted</source>
        <translation>不接受文档类型声明（DOCTYPE）</translation>
    </message>
    <message>
        <source>elements are nested deeper than %1 levels</source>
        <translation>元素嵌套超过 %1 层</translation>
    </message>
    <message>
        <source>the root element is {%1}%2, not CxF in the namespace %3</source>
        <translation>根元素是 {%1}%2，而不是命名空间 %3 中的 CxF</translation>
    </message>
    <message>
        <source>the file holds no XML element</source>
        <translation>文件不含任何 XML 元素</translation>
    </message>
    <message>
        <source>%1 value &quot;%2&quot; is out of range</source>
        <translation>%1 的值“%2”超出范围</translation>
    </message>
    <message>
        <source>Object &quot;%1&quot;: ColorCIEXYZ needs X, Y and Z</source>
        <translation>对象“%1”：ColorCIEXYZ 需要 X、Y 和 Z</translation>
    </message>
</context>
<context>
    <name>ExchangeReader</name>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
</context>
<context>
    <name>ExchangeWriter</name>
    <message>
        <source>Cannot write the file: %1</source>
        <translation>无法写入文件：%1</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>a quoted cell is never closed</source>
        <translation>引号中的单元格没有结束</translation>
    </message>
    <message>
        <source>text after a closing quote</source>
        <translation>结束引号之后还有文字</translation>
    </message>
    <message>
        <source>a quote inside an unquoted cell</source>
        <translation>未加引号的单元格中有引号</translation>
    </message>
    <message>
        <source>a carriage return without a line feed</source>
        <translation>回车符后缺少换行符</translation>
    </message>
    <message>
        <source>the file has no header row</source>
        <translation>文件没有标题行</translation>
    </message>
    <message>
        <source>the header row is not that of a comparison table</source>
        <translation>标题行不是比较表的标题行</translation>
    </message>
    <message>
        <source>%1 cells, the header has %2</source>
        <translation>有 %1 个单元格，标题行有 %2 个</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number</source>
        <translation>%1：“%2”不是数字</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no time</source>
        <translation>%1：“%2”不是时间</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is neither %3 nor %4</source>
        <translation>%1：“%2”既不是 %3 也不是 %4</translation>
    </message>
    <message>
        <source>the header row is not that of a spectral table</source>
        <translation>标题行不是光谱表的标题行</translation>
    </message>
    <message>
        <source>column %1 should be %2, not &quot;%3&quot;</source>
        <translation>第 %1 列应为 %2，而不是“%3”</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a version</source>
        <translation>%1：“%2”不是版本号</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is neither WARNING nor empty</source>
        <translation>%1：“%2”既不是 WARNING 也不是空白</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no limit</source>
        <translation>%1：“%2”不是限值</translation>
    </message>
</context>
<context>
    <name>StandardColorExchange</name>
    <message>
        <source>the file holds no standards</source>
        <translation>文件中没有标准色</translation>
    </message>
    <message>
        <source>the file holds %1 standards; a library takes at most 65535</source>
        <translation>文件中有 %1 个标准色；色库最多容纳 65535 个</translation>
    </message>
    <message>
        <source>standard &quot;%1&quot; has no L*a*b* values for D65/10°</source>
        <translation>标准色“%1”没有 D65/10° 的 L*a*b* 值</translation>
    </message>
    <message>
        <source>the name of standard &quot;%1&quot; takes more than %2 bytes</source>
        <translation>标准色“%1”的名称超过 %2 字节</translation>
    </message>
    <message>
        <source>standard &quot;%1&quot; has a value (%2) the library cannot hold</source>
        <translation>标准色“%1”的值（%2）超出色库可保存的范围</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>the instrument to use when several are attached</source>
        <translation>连接了多台仪器时要使用的仪器</translation>
    </message>
    <message>
        <source>add an emulated instrument (TX310 unless named); may be repeated</source>
        <translation>添加一台模拟仪器（未指定时为 TX310）；可重复使用</translation>
    </message>
    <message>
        <source>one JSON object per result, with &quot;schema&quot;: 1</source>
        <translation>每个结果输出一个 JSON 对象，带 &quot;schema&quot;: 1</translation>
    </message>
    <message>
        <source>the language of messages (default: the locale's)</source>
        <translation>提示信息的语言（默认跟随系统区域设置）</translation>
    </message>
    <message>
        <source>this help, or the help of a command</source>
        <translation>显示本帮助，或某个命令的帮助</translation>
    </message>
    <message>
        <source>the version</source>
        <translation>显示版本</translation>
    </message>
    <message>
        <source>set the display mode first: hazet, haze, t, lab, lch, yxy, hazetlab</source>
        <translation>先设置显示模式：hazet、haze、t、lab、lch、yxy、hazetlab</translation>
    </message>
    <message>
        <source>csv (the default), json, cgats, cxf or xlsx (with -o)</source>
        <translation>csv（默认）、json、cgats、cxf 或 xlsx（需配合 -o）</translation>
    </message>
    <message>
        <source>write to FILE instead of standard output (-o)</source>
        <translation>写入文件 FILE 而不是标准输出（-o）</translation>
    </message>
    <message>
        <source>list the attached instruments: path, serial number, model, firmware</source>
        <translation>列出已连接的仪器：路径、序列号、型号、固件版本</translation>
    </message>
    <message>
        <source>model, serial number, firmware, layout and display mode</source>
        <translation>型号、序列号、固件版本、界面布局和显示模式</translation>
    </message>
    <message>
        <source>one measurement, in the display mode in force</source>
        <translation>测量一次，按当前显示模式输出</translation>
    </message>
    <message>
        <source>one comparison (N with --count), judged as the window judges; NG gives exit status 1</source>
        <translation>对比一次（使用 --count 时为 N 次），判定方式与窗口相同；NG 时退出状态为 1</translation>
    </message>
    <message>
        <source>the standard: values (L=50,a=1,b=2 or the mode's values in order), a file, or a measurement</source>
        <translation>标准样：数值（L=50,a=1,b=2 或按显示模式顺序给出的数值）、文件，或一次测量</translation>
    </message>
    <message>
        <source>the sample (default measure); key waits for the instrument's measuring key</source>
        <translation>样品（默认 measure）；key 表示等待仪器上的测量键</translation>
    </message>
    <message>
        <source>N samples against the one standard (JSON lines with --json)</source>
        <translation>用同一个标准样对比 N 个样品（使用 --json 时每行一个 JSON）</translation>
    </message>
    <message>
        <source>judge against these instead of the instrument's tolerances</source>
        <translation>用这些容差代替仪器中的容差进行判定</translation>
    </message>
    <message>
        <source>how long to wait for the measuring key (default 60)</source>
        <translation>等待测量键的秒数（默认 60）</translation>
    </message>
    <message>
        <source>the tolerances, formula, threshold and display mode</source>
        <translation>容差、色差公式、阈值和显示模式</translation>
    </message>
    <message>
        <source>change the instrument's settings; the others stay as stored</source>
        <translation>修改仪器设置；未给出的设置保持不变</translation>
    </message>
    <message>
        <source>haze tolerance in percent, 0 to 100</source>
        <translation>雾度容差（百分比），0 到 100</translation>
    </message>
    <message>
        <source>transmittance tolerance in percent, 0 to 100</source>
        <translation>透过率容差（百分比），0 到 100</translation>
    </message>
    <message>
        <source>delta-E threshold, 0.1 to 50</source>
        <translation>△E 阈值，0.1 到 50</translation>
    </message>
    <message>
        <source>colour-difference formula: ab, uv, 94, cmc2:1, cmc1:1, cmc1.4:1, 00 (or its code)</source>
        <translation>色差公式：ab、uv、94、cmc2:1、cmc1:1、cmc1.4:1、00（或其代码）</translation>
    </message>
    <message>
        <source>the comparison records stored in the instrument</source>
        <translation>仪器中保存的色差对比记录</translation>
    </message>
    <message>
        <source>the spectral records stored in the instrument</source>
        <translation>仪器中保存的光谱记录</translation>
    </message>
    <message>
        <source>send a standard-colour library (workbook, CGATS or CxF3), checked whole before anything is sent</source>
        <translation>写入标准色库（工作簿、CGATS 或 CxF3 文件），发送前先完整检查整个文件</translation>
    </message>
    <message>
        <source>the comparisons the window kept in its journal, without starting it</source>
        <translation>窗口日志中保存的对比记录，无需启动窗口</translation>
    </message>
    <message>
        <source>only records from DATE (yyyy-MM-dd or yyyy-MM-ddThh:mm) on</source>
        <translation>只导出 DATE（yyyy-MM-dd 或 yyyy-MM-ddThh:mm）及之后的记录</translation>
    </message>
    <message>
        <source>only records of this display mode</source>
        <translation>只导出该显示模式的记录</translation>
    </message>
    <message>
        <source>Unknown option %1.</source>
        <translation>未知选项 %1。</translation>
    </message>
    <message>
        <source>Unknown option --%1.</source>
        <translation>未知选项 --%1。</translation>
    </message>
    <message>
        <source>--%1 takes no value.</source>
        <translation>--%1 不带参数值。</translation>
    </message>
    <message>
        <source>--%1 needs a value.</source>
        <translation>--%1 需要一个参数值。</translation>
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
        <translation>退出状态：
  0  所有对比均为 PASS，或操作成功
  1  至少一次对比为 NG
  2  命令行有误（包括：连接了多台仪器但未给出 --device）
  3  没有仪器、指定的仪器不存在，或 Tintwell 窗口正在占用仪器
  4  仪器拒绝了请求或未及时应答
  5  文件无法读取或写入
</translation>
    </message>
    <message>
        <source>Usage: tintwell-cli [OPTIONS] COMMAND [ARGUMENTS]
Every instrument operation from a script. Results go to standard output,
messages to standard error; it never asks anything.

Commands:
</source>
        <translation>用法：tintwell-cli [选项] 命令 [参数]
在脚本中完成仪器的所有操作。结果输出到标准输出，
提示信息输出到标准错误；程序从不询问任何问题。

命令：
</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>选项：</translation>
    </message>
    <message>
        <source>&quot;tintwell-cli COMMAND --help&quot; describes a command; &quot;man tintwell-cli&quot; all of them.
</source>
        <translation>&quot;tintwell-cli 命令 --help&quot; 说明一个命令；&quot;man tintwell-cli&quot; 说明全部命令。
</translation>
    </message>
    <message>
        <source>--lang takes zh or en.</source>
        <translation>--lang 的取值为 zh 或 en。</translation>
    </message>
    <message>
        <source>Try &quot;tintwell-cli --help&quot;.</source>
        <translation>请运行 &quot;tintwell-cli --help&quot; 查看用法。</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>没有给出命令。</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;.</source>
        <translation>未知命令 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>%1 takes no --%2.</source>
        <translation>%1 不接受 --%2。</translation>
    </message>
    <message>
        <source>Usage: tintwell-cli %1 %2</source>
        <translation>用法：tintwell-cli %1 %2</translation>
    </message>
    <message>
        <source>No instrument is attached.</source>
        <translation>没有连接仪器。</translation>
    </message>
    <message>
        <source>Several instruments are attached; name one with --device:</source>
        <translation>连接了多台仪器；请用 --device 指定其中一台：</translation>
    </message>
    <message>
        <source>No instrument is attached at %1.</source>
        <translation>%1 处没有连接仪器。</translation>
    </message>
    <message>
        <source>--device takes serial:SERIAL or path:PATH.</source>
        <translation>--device 的取值为 serial:序列号 或 path:路径。</translation>
    </message>
    <message>
        <source>The Tintwell window is running and holds the instrument; close the window first.</source>
        <translation>Tintwell 窗口正在运行并占用仪器；请先关闭窗口。</translation>
    </message>
    <message>
        <source>The instrument at %1 cannot be opened (is the udev rule installed?).</source>
        <translation>无法打开 %1 处的仪器（是否已安装 udev 规则？）。</translation>
    </message>
    <message>
        <source>The instrument did not answer as expected.</source>
        <translation>仪器的应答不符合预期。</translation>
    </message>
    <message>
        <source>No instrument with serial number %1 is attached.</source>
        <translation>没有连接序列号为 %1 的仪器。</translation>
    </message>
    <message>
        <source>Unknown instrument model &quot;%1&quot;; choose one of %2.</source>
        <translation>未知的仪器型号 &quot;%1&quot;；请从 %2 中选择。</translation>
    </message>
    <message>
        <source>Invalid software version &quot;%1&quot;; write it as 312 or 3.12.</source>
        <translation>软件版本 &quot;%1&quot; 无效；请写成 312 或 3.12。</translation>
    </message>
    <message>
        <source>--format takes one of %1.</source>
        <translation>--format 的取值为 %1 之一。</translation>
    </message>
    <message>
        <source>A workbook is written to a file: add -o FILE.</source>
        <translation>工作簿只能写入文件：请加上 -o 文件。</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>%1 cannot be written.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <source>These records hold no L*a*b* values, which %1 carries; choose csv or json.</source>
        <translation>这些记录没有 %1 所需的 L*a*b* 数值；请选择 csv 或 json。</translation>
    </message>
    <message>
        <source>Records read: %1.</source>
        <translation>已读取记录：%1 条。</translation>
    </message>
    <message>
        <source>The spectral records could not be read.</source>
        <translation>无法读取光谱记录。</translation>
    </message>
    <message>
        <source>Spectral records read: %1.</source>
        <translation>已读取光谱记录：%1 条。</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>The %1 keeps no standard-colour library.</source>
        <translation>%1 没有标准色库。</translation>
    </message>
    <message>
        <source>%1 cannot be written to the instrument: %2</source>
        <translation>无法将 %1 写入仪器：%2</translation>
    </message>
    <message>
        <source>Standard colours written: %1 card(s), %2 row(s).</source>
        <translation>已写入标准色：%1 张色卡，%2 行数据。</translation>
    </message>
    <message>
        <source>--mode takes one of %1.</source>
        <translation>--mode 的取值为 %1 之一。</translation>
    </message>
    <message>
        <source>No journal at %1: the window has kept nothing yet.</source>
        <translation>%1 处没有日志：窗口尚未保存任何记录。</translation>
    </message>
    <message>
        <source>The journal holds records of several display modes; choose one with --mode, or --format json or cgats.</source>
        <translation>日志中有多种显示模式的记录；请用 --mode 选择其中一种，或使用 --format json 或 cgats。</translation>
    </message>
    <message>
        <source>A first-generation colorimeter has no display mode to set.</source>
        <translation>第一代色差仪没有可设置的显示模式。</translation>
    </message>
    <message>
        <source>The %1 does not offer the display mode %2.</source>
        <translation>%1 不提供显示模式 %2。</translation>
    </message>
    <message>
        <source>The instrument did not take the display mode.</source>
        <translation>仪器未接受该显示模式。</translation>
    </message>
    <message>
        <source>The measurement failed (the instrument answered %1).</source>
        <translation>测量失败（仪器应答 %1）。</translation>
    </message>
    <message>
        <source>--wait takes a number of seconds.</source>
        <translation>--wait 的取值为秒数。</translation>
    </message>
    <message>
        <source>Press the instrument's measuring key for the %1 (waiting %2 s).</source>
        <translation>请按仪器上的测量键测量%1（等待 %2 秒）。</translation>
    </message>
    <message>
        <source>No result came from the measuring key within %1 s.</source>
        <translation>%1 秒内没有收到测量键的测量结果。</translation>
    </message>
    <message>
        <source>The %1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a tolerance.</source>
        <translation>&quot;%1&quot; 不是有效的容差。</translation>
    </message>
    <message>
        <source>--tolerance takes haze=, t= and de= (or one delta-E threshold).</source>
        <translation>--tolerance 的取值为 haze=、t= 和 de=（或单个 △E 阈值）。</translation>
    </message>
    <message>
        <source>compare needs --standard VALUES|FILE|measure.</source>
        <translation>compare 需要 --standard 数值|文件|measure。</translation>
    </message>
    <message>
        <source>--count takes a number of samples from 1 up.</source>
        <translation>--count 的取值为 1 及以上的样品数。</translation>
    </message>
    <message>
        <source>--count needs --sample measure or key.</source>
        <translation>--count 需要 --sample measure 或 key。</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>标准样</translation>
    </message>
    <message>
        <source>sample %1 of %2</source>
        <translation>第 %1 个样品（共 %2 个）</translation>
    </message>
    <message>
        <source>sample</source>
        <translation>样品</translation>
    </message>
    <message>
        <source>settings set needs at least one of --%1.</source>
        <translation>settings set 至少需要 --%1 中的一项。</translation>
    </message>
    <message>
        <source>The %1 keeps a colour-difference formula and threshold, no haze or transmittance tolerance.</source>
        <translation>%1 保存的是色差公式和阈值，没有雾度或透过率容差。</translation>
    </message>
    <message>
        <source>The %1 judges with a fixed formula; set --threshold alone.</source>
        <translation>%1 使用固定的色差公式判定；请只设置 --threshold。</translation>
    </message>
    <message>
        <source>--formula takes one of %1.</source>
        <translation>--formula 的取值为 %1 之一。</translation>
    </message>
    <message>
        <source>The instrument did not take the colour-difference parameter.</source>
        <translation>仪器未接受该色差参数。</translation>
    </message>
    <message>
        <source>The %1 judges with a fixed formula; it takes no --formula.</source>
        <translation>%1 使用固定的色差公式判定；不接受 --formula。</translation>
    </message>
    <message>
        <source>The instrument did not take the tolerances.</source>
        <translation>仪器未接受这些容差。</translation>
    </message>
    <message>
        <source>The settings could not be read back.</source>
        <translation>无法读回设置。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a value of this instrument; use %2.</source>
        <translation>&quot;%1&quot; 不是该仪器的数值；请使用 %2。</translation>
    </message>
    <message>
        <source>The comparison needs %1.</source>
        <translation>对比需要 %1。</translation>
    </message>
    <message>
        <source>Too many values: this display mode shows %1.</source>
        <translation>数值过多：该显示模式显示 %1。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number.</source>
        <translation>&quot;%1&quot; 不是数字。</translation>
    </message>
    <message>
        <source>the station database's server: host name, address or socket folder</source>
        <translation>工作站数据库的服务器：主机名、地址或套接字目录</translation>
    </message>
    <message>
        <source>the server's port (default 5432)</source>
        <translation>服务器端口（默认 5432）</translation>
    </message>
    <message>
        <source>the database</source>
        <translation>数据库</translation>
    </message>
    <message>
        <source>the role to log in as</source>
        <translation>登录所用的角色</translation>
    </message>
    <message>
        <source>the certificate authority of the server's certificate (checks the host name)</source>
        <translation>服务器证书的颁发机构（校验主机名）</translation>
    </message>
    <message>
        <source>read the password from the first line of standard input</source>
        <translation>从标准输入的第一行读取密码</translation>
    </message>
    <message>
        <source>apply the station database's schema (as a role that may create tables and roles)</source>
        <translation>应用工作站数据库的架构（需可创建表和角色的角色）</translation>
    </message>
    <message>
        <source>where this station sends its records; the password goes to the desktop's key store</source>
        <translation>本工作站发送记录的目标；密码保存在桌面密钥库中</translation>
    </message>
    <message>
        <source>this station's name</source>
        <translation>本工作站的名称</translation>
    </message>
    <message>
        <source>connect once and check the schema</source>
        <translation>连接一次并检查架构</translation>
    </message>
    <message>
        <source>the records of every station in the station database, or their statistics</source>
        <translation>工作站数据库中所有工作站的记录或其统计</translation>
    </message>
    <message>
        <source>records from DATE on</source>
        <translation>自 DATE 起的记录</translation>
    </message>
    <message>
        <source>records before DATE</source>
        <translation>DATE 之前的记录</translation>
    </message>
    <message>
        <source>records of this station; may be repeated</source>
        <translation>此工作站的记录；可重复</translation>
    </message>
    <message>
        <source>records of this instrument model</source>
        <translation>此仪器型号的记录</translation>
    </message>
    <message>
        <source>records compared with this standard</source>
        <translation>与此标准比较的记录</translation>
    </message>
    <message>
        <source>test names matching PATTERN (* and ? as wildcards)</source>
        <translation>与 PATTERN 匹配的测试名称（* 和 ? 为通配符）</translation>
    </message>
    <message>
        <source>only PASS or only NG records</source>
        <translation>仅 PASS 或仅 NG 记录</translation>
    </message>
    <message>
        <source>count, PASS count and delta-E statistics instead of the records</source>
        <translation>输出数量、PASS 数量和 delta-E 统计，而非记录</translation>
    </message>
    <message>
        <source>The key store could not be read: %1</source>
        <translation>无法读取密钥库：%1</translation>
    </message>
    <message>
        <source>No station database is configured: give --server, --database and --user, or run &quot;tintwell-cli db configure&quot; first.</source>
        <translation>未配置工作站数据库：请提供 --server、--database 和 --user，或先运行“tintwell-cli db configure”。</translation>
    </message>
    <message>
        <source>%1: schema version %2 (was %3)</source>
        <translation>%1：架构版本 %2（原为 %3）</translation>
    </message>
    <message>
        <source>The password was not stored: the key store refused: %1</source>
        <translation>密码未保存：密钥库拒绝：%1</translation>
    </message>
    <message>
        <source>The station database %1 cannot be reached: %2</source>
        <translation>无法连接工作站数据库 %1：%2</translation>
    </message>
    <message>
        <source>Station %1 sends to %2 as %3.</source>
        <translation>工作站 %1 以 %3 身份发送到 %2。</translation>
    </message>
    <message>
        <source>--%1 takes a date (yyyy-MM-dd or yyyy-MM-ddThh:mm), not &quot;%2&quot;.</source>
        <translation>--%1 需要日期（yyyy-MM-dd 或 yyyy-MM-ddThh:mm），而不是“%2”。</translation>
    </message>
    <message>
        <source>--verdict takes pass or ng.</source>
        <translation>--verdict 只接受 pass 或 ng。</translation>
    </message>
    <message>
        <source>read the new role's password from standard input (after the login's line with --password-stdin); without it, the key store's</source>
        <translation>从标准输入读取新角色的密码（与 --password-stdin 同用时在登录密码那一行之后）；不给时取自密钥库</translation>
    </message>
    <message>
        <source>create the login role of a station (named NAME unless --role) that writes only its own records</source>
        <translation>创建工作站的登录角色（未给 --role 时以 NAME 命名），它只能写入自己的记录</translation>
    </message>
    <message>
        <source>the station's login role (default: its name)</source>
        <translation>工作站的登录角色（默认：其名称）</translation>
    </message>
    <message>
        <source>create a manager's login role that reads every station's records and writes none</source>
        <translation>创建管理者的登录角色，可读取所有工作站的记录，不能写入</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a role.</source>
        <translation>“%1”不能用作角色名称。</translation>
    </message>
    <message>
        <source>No password for the role %1: give it on standard input with --new-password-stdin, or store it first with &quot;tintwell-cli db configure --user %1 --password-stdin&quot;.</source>
        <translation>角色 %1 没有密码：请用 --new-password-stdin 从标准输入提供，或先用“tintwell-cli db configure --user %1 --password-stdin”存入密钥库。</translation>
    </message>
    <message>
        <source>%1: the manager role %2 reads every station's records.</source>
        <translation>%1：管理者角色 %2 可读取所有工作站的记录。</translation>
    </message>
    <message>
        <source>%1: station %2 sends as the role %3.</source>
        <translation>%1：工作站 %2 以角色 %3 发送记录。</translation>
    </message>
    <message>
        <source>A station needs a name.</source>
        <translation>工作站需要一个名称。</translation>
    </message>
    <message>
        <source>Unknown illuminant &quot;%1&quot;: use one of %2.</source>
        <translation>未知的光源 &quot;%1&quot;：请使用 %2 之一。</translation>
    </message>
    <message>
        <source>Unknown observer &quot;%1&quot;: use 2 or 10.</source>
        <translation>未知的观察者 &quot;%1&quot;：请使用 2 或 10。</translation>
    </message>
    <message>
        <source>no heading row of a spectral table (No, Name, 400nm … 700nm)</source>
        <translation>没有光谱表的标题行（No、Name、400nm … 700nm）</translation>
    </message>
    <message>
        <source>row %1, %2nm: &quot;%3&quot; is not a number</source>
        <translation>第 %1 行，%2nm：&quot;%3&quot; 不是数字</translation>
    </message>
    <message>
        <source>%1 holds no spectral curves.</source>
        <translation>%1 中没有光谱曲线。</translation>
    </message>
    <message>
        <source>No curve named &quot;%1&quot; in %2.</source>
        <translation>%2 中没有名为 &quot;%1&quot; 的曲线。</translation>
    </message>
    <message>
        <source>%1 curves are named &quot;%2&quot; in %3: the %4 is ambiguous.</source>
        <translation>%3 中有 %1 条名为 &quot;%2&quot; 的曲线：%4 不明确。</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>--illuminants names the reference illuminant and the test illuminants, the reference first: --illuminants D65,A,F11.</source>
        <translation>--illuminants 给出参考光源和测试光源，参考光源在前：--illuminants D65,A,F11。</translation>
    </message>
    <message>
        <source>--%1 NAME names a curve of the file.</source>
        <translation>--%1 NAME 指定文件中的一条曲线。</translation>
    </message>
    <message>
        <source># standard &quot;%1&quot;, sample &quot;%2&quot;, observer %3; differences sample minus standard, dE_ab CIE 1976, dE00 CIEDE2000</source>
        <translation># 标样 &quot;%1&quot;，样品 &quot;%2&quot;，观察者 %3；差值为样品减标样，dE_ab 为 CIE 1976，dE00 为 CIEDE2000</translation>
    </message>
    <message>
        <source># metamerism index against reference %1, additive correction: mi_ab delta-E*ab, mi_00 CIEDE2000</source>
        <translation># 相对参考光源 %1 的同色异谱指数，加法修正：mi_ab 为 delta-E*ab，mi_00 为 CIEDE2000</translation>
    </message>
    <message>
        <source>illuminant</source>
        <translation>光源</translation>
    </message>
    <message>
        <source>E313 yellowness is defined under C and D65, CIE whiteness and tint under D65: none of them under %1.</source>
        <translation>E313 黄度只在 C 和 D65 下定义，CIE 白度和色调只在 D65 下定义：%1 下均无定义。</translation>
    </message>
    <message>
        <source>CIE whiteness and tint are defined under D65 only, not under %1.</source>
        <translation>CIE 白度和色调只在 D65 下定义，%1 下无定义。</translation>
    </message>
    <message>
        <source># %1; yi_e313 ASTM E313 yellowness, wi_cie and tint_cie CIE whiteness and tint; a range &quot;outside&quot;: beyond the specimens the standard allows</source>
        <translation># %1；yi_e313 为 ASTM E313 黄度，wi_cie 和 tint_cie 为 CIE 白度和色调；范围为 &quot;超出&quot;：超出该标准允许的试样范围</translation>
    </message>
    <message>
        <source>E313 range</source>
        <translation>E313 范围</translation>
    </message>
    <message>
        <source>CIE range</source>
        <translation>CIE 范围</translation>
    </message>
    <message>
        <source>inside</source>
        <translation>范围内</translation>
    </message>
    <message>
        <source>outside</source>
        <translation>超出</translation>
    </message>
    <message>
        <source>the CIE 1931 2° or 1964 10° observer (default 10)</source>
        <translation>CIE 1931 2° 或 1964 10° 观察者（默认 10）</translation>
    </message>
    <message>
        <source>A, C, D50, D55, D65, D75, F2, F7 or F11 (default D65)</source>
        <translation>A、C、D50、D55、D65、D75、F2、F7 或 F11（默认 D65）</translation>
    </message>
    <message>
        <source>XYZ and L*a*b* of every curve of a CGATS, CxF3, CSV or workbook file (D65/10° unless given)</source>
        <translation>CGATS、CxF3、CSV 或工作簿文件中每条曲线的 XYZ 和 L*a*b*（未指定时为 D65/10°）</translation>
    </message>
    <message>
        <source>differences of two curves under each illuminant, and the metamerism index (additive correction) against the first</source>
        <translation>两条曲线在每种光源下的差值，以及相对第一种光源的同色异谱指数（加法修正）</translation>
    </message>
    <message>
        <source>the standard: the name of a curve of the file</source>
        <translation>标样：文件中一条曲线的名称</translation>
    </message>
    <message>
        <source>the sample: the name of a curve of the file</source>
        <translation>样品：文件中一条曲线的名称</translation>
    </message>
    <message>
        <source>the reference illuminant first, then the test illuminants</source>
        <translation>先参考光源，后测试光源</translation>
    </message>
    <message>
        <source>E313 yellowness, CIE whiteness and tint of every curve, flagged outside their ranges (D65/10° unless given)</source>
        <translation>每条曲线的 E313 黄度、CIE 白度和色调，超出其适用范围时标出（未指定时为 D65/10°）</translation>
    </message>
    <message>
        <source>the spectral records stored in the instrument, with their colour (D65/10° unless given) in CGATS, CxF3 and the workbook</source>
        <translation>仪器中保存的光谱记录，CGATS、CxF3 和工作簿中附带其颜色（未指定时为 D65/10°）</translation>
    </message>
    <message>
        <source>report batch needs -o FILE.pdf.</source>
        <translation>report batch 需要 -o FILE.pdf。</translation>
    </message>
    <message>
        <source>Give --session or --since, not both.</source>
        <translation>请给出 --session 或 --since，不能同时给出。</translation>
    </message>
    <message>
        <source>--session takes the number of a session of the journal.</source>
        <translation>--session 需要日志中某个会话的编号。</translation>
    </message>
    <message>
        <source>The report cannot be drawn in this process.</source>
        <translation>此进程无法绘制报告。</translation>
    </message>
    <message>
        <source>The journal has no session %1.</source>
        <translation>日志中没有会话 %1。</translation>
    </message>
    <message>
        <source>session %1</source>
        <translation>会话 %1</translation>
    </message>
    <message>
        <source>since %1</source>
        <translation>自 %1 起</translation>
    </message>
    <message>
        <source>No rows were compared with a standard named %1.</source>
        <translation>没有与名为 %1 的标准比较过的行。</translation>
    </message>
    <message>
        <source>No records to report: the journal holds none of those chosen.</source>
        <translation>没有可报告的记录：日志中没有所选的记录。</translation>
    </message>
    <message>
        <source>Report of %1 records written to %2.</source>
        <translation>%1 条记录的报告已写入 %2。</translation>
    </message>
    <message>
        <source>the batch report of the comparisons the window kept in its journal, as a PDF</source>
        <translation>窗口日志中所保存比较的批量报告，写成 PDF</translation>
    </message>
    <message>
        <source>only the records of this journal session</source>
        <translation>只取日志中此会话的记录</translation>
    </message>
    <message>
        <source>only the rows compared with this standard (its name or number)</source>
        <translation>只取与此标准（其名称或编号）比较的行</translation>
    </message>
    <message>
        <source>There is no standard &quot;%1&quot; in the library.</source>
        <translation>标准库中没有标准“%1”。</translation>
    </message>
    <message>
        <source>--lab takes three numbers L,a,b, not &quot;%1&quot;.</source>
        <translation>--lab 需要三个数 L,a,b，而不是“%1”。</translation>
    </message>
    <message>
        <source>--%1 takes a number, not &quot;%2&quot;.</source>
        <translation>--%1 需要一个数，而不是“%2”。</translation>
    </message>
    <message>
        <source>--warn takes a percentage from 0 up to 100, not &quot;%1&quot;.</source>
        <translation>--warn 需要 0 至 100（不含）之间的百分比，而不是“%1”。</translation>
    </message>
    <message>
        <source>Name the library standard by --standard-name or by --standard-code, not both.</source>
        <translation>请用 --standard-name 或 --standard-code 指定标准库中的标准，不能同时使用。</translation>
    </message>
    <message>
        <source>No standard in the library has the code &quot;%1&quot;.</source>
        <translation>标准库中没有代码为“%1”的标准。</translation>
    </message>
    <message>
        <source>Added &quot;%1&quot; (version %2).</source>
        <translation>已添加“%1”（版本 %2）。</translation>
    </message>
    <message>
        <source>standards set needs at least one of --%1.</source>
        <translation>standards set 至少需要 --%1 中的一个。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is now version %2.</source>
        <translation>“%1”现在是版本 %2。</translation>
    </message>
    <message>
        <source>Removed &quot;%1&quot;; its versions stay readable.</source>
        <translation>已移除“%1”；其各版本仍可读取。</translation>
    </message>
    <message>
        <source>%1 added, %2 changed, %3 unchanged.</source>
        <translation>添加 %1 个，修改 %2 个，未变 %3 个。</translation>
    </message>
    <message>
        <source>%1: standards are written to .csv, .ti3, .txt, .cxf or .xlsx files.</source>
        <translation>%1：标准只能写入 .csv、.ti3、.txt、.cxf 或 .xlsx 文件。</translation>
    </message>
    <message>
        <source>A standard-colour workbook is made for one model: give --model MODEL.</source>
        <translation>标准色工作簿只针对一种型号：请给出 --model 型号。</translation>
    </message>
    <message>
        <source>compare needs --standard VALUES|FILE|measure, --standard-name NAME or --standard-code CODE (one of them).</source>
        <translation>compare 需要 --standard 数值|文件|measure、--standard-name 名称或 --standard-code 代码（三者之一）。</translation>
    </message>
    <message>
        <source>A library standard is judged by its own tolerances; --tolerance is not taken with it.</source>
        <translation>标准库中的标准按其自己的公差判定；不能同时使用 --tolerance。</translation>
    </message>
    <message>
        <source>the standard's L*, a* and b*</source>
        <translation>标准的 L*、a* 和 b*</translation>
    </message>
    <message>
        <source>the standard's haze in percent</source>
        <translation>标准的雾度（百分比）</translation>
    </message>
    <message>
        <source>the standard's transmittance in percent</source>
        <translation>标准的透过率（百分比）</translation>
    </message>
    <message>
        <source>an article number or barcode, to find the standard by</source>
        <translation>物料号或条形码，用于查找标准</translation>
    </message>
    <message>
        <source>a note</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>its limits: dE00&lt;=1.0,dL=-0.8..0.8,db=-0.3..0.6:info (dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t; :info only informs)</source>
        <translation>其限值：dE00&lt;=1.0,dL=-0.8..0.8,db=-0.3..0.6:info（dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t；:info 仅作提示）</translation>
    </message>
    <message>
        <source>the warning band: a PASS beyond this percentage of a limit is a warning</source>
        <translation>预警带：超过限值此百分比的合格结果给出预警</translation>
    </message>
    <message>
        <source>judge against this standard of the library and its tolerances</source>
        <translation>按标准库中的此标准及其公差判定</translation>
    </message>
    <message>
        <source>the same, the standard found by its code</source>
        <translation>同上，按代码查找标准</translation>
    </message>
    <message>
        <source>a PASS with a warning gives exit status 1</source>
        <translation>带预警的合格结果返回退出状态 1</translation>
    </message>
    <message>
        <source>the standards of the library: name, code, version and tolerances</source>
        <translation>标准库中的标准：名称、代码、版本和公差</translation>
    </message>
    <message>
        <source>one standard of the library in full</source>
        <translation>标准库中一个标准的全部信息</translation>
    </message>
    <message>
        <source>add a standard to the library</source>
        <translation>向标准库添加一个标准</translation>
    </message>
    <message>
        <source>change a standard: a new version, the others stay readable</source>
        <translation>修改一个标准：生成新版本，旧版本仍可读取</translation>
    </message>
    <message>
        <source>take a standard out of the library (its versions stay readable)</source>
        <translation>从标准库中移除一个标准（其各版本仍可读取）</translation>
    </message>
    <message>
        <source>standards from a CSV, CGATS, CxF3 or standard-colour workbook file; known names get a new version</source>
        <translation>从 CSV、CGATS、CxF3 或标准色工作簿文件导入标准；已有名称生成新版本</translation>
    </message>
    <message>
        <source>the library to a CSV, CGATS, CxF3 or (for MODEL) standard-colour workbook file</source>
        <translation>将标准库导出为 CSV、CGATS、CxF3 或（针对某型号的）标准色工作簿文件</translation>
    </message>
    <message>
        <source>the instrument model a workbook is made for</source>
        <translation>工作簿所针对的仪器型号</translation>
    </message>
    <message>
        <source>A standard has its own --tolerance and --warn or a --shared-set, not both.</source>
        <translation>标准要么有自己的 --tolerance 和 --warn，要么使用 --shared-set，不能两者都有。</translation>
    </message>
    <message>
        <source>There is no shared tolerance set &quot;%1&quot;; make it with standards share.</source>
        <translation>没有共享公差组“%1”；请用 standards share 创建。</translation>
    </message>
    <message>
        <source>standards share needs --tolerance LIST, --warn PERCENT or both.</source>
        <translation>standards share 需要 --tolerance 列表、--warn 百分比，或两者都给出。</translation>
    </message>
    <message>
        <source>Shared tolerance set &quot;%1&quot; is version %2.</source>
        <translation>共享公差组“%1”现在是版本 %2。</translation>
    </message>
    <message>
        <source>judge by this shared tolerance set instead of limits of its own</source>
        <translation>按此共享公差组判定，而不用自己的限值</translation>
    </message>
    <message>
        <source>make or change a shared tolerance set (a new version) that standards name with --shared-set</source>
        <translation>创建或修改一个共享公差组（生成新版本），标准用 --shared-set 引用它</translation>
    </message>
    <message>
        <source>%1: the editor role %2 edits the library of standards.</source>
        <translation>%1：编辑者角色 %2 可编辑标准库。</translation>
    </message>
    <message>
        <source>The library of standards of %1 cannot be copied here: %2</source>
        <translation>无法将 %1 的标准库复制到本地：%2</translation>
    </message>
    <message>
        <source>create a login role that edits the library of standards and reads no records</source>
        <translation>创建可编辑标准库、不读取任何记录的登录角色</translation>
    </message>
    <message>
        <source>one measurement, in the display mode in force (the mean of N readings with --readings)</source>
        <translation>测量一次，按当前显示模式输出（使用 --readings 时为 N 次读数的平均值）</translation>
    </message>
    <message>
        <source>N readings of each measured specimen, compared by their mean (standard's first)</source>
        <translation>每个被测试样测 N 次读数，以其平均值比较（先测标准）</translation>
    </message>
    <message>
        <source>the median of the readings instead of their mean</source>
        <translation>用读数的中位数代替平均值</translation>
    </message>
    <message>
        <source>--readings takes a number of readings from 1 to 100.</source>
        <translation>--readings 取 1 到 100 之间的读数次数。</translation>
    </message>
    <message>
        <source>%1, reading %2 of %3</source>
        <translation>%1，第 %2 次读数，共 %3 次</translation>
    </message>
</context>
<context>
    <name>StationStatus</name>
    <message>
        <source>, the server not verified</source>
        <translation>，服务器未经验证</translation>
    </message>
    <message>
        <source>The key store could not be read, so no password was given: %1</source>
        <translation>无法读取密钥库，因此未提供密码：%1</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>历史记录...</translation>
    </message>
    <message>
        <source>Station database: the password could not be read from the key store: %1</source>
        <translation>工作站数据库：无法从密钥库读取密码：%1</translation>
    </message>
    <message>
        <source>Station database: connecting</source>
        <translation>工作站数据库：正在连接</translation>
    </message>
    <message>
        <source>Station database: sending</source>
        <translation>工作站数据库：正在发送</translation>
    </message>
    <message>
        <source>Station database: all records sent</source>
        <translation>工作站数据库：记录已全部发送</translation>
    </message>
    <message>
        <source>Station database: offline, trying again</source>
        <translation>工作站数据库：离线，正在重试</translation>
    </message>
    <message>
        <source>Station database: not sending</source>
        <translation>工作站数据库：未发送</translation>
    </message>
    <message>
        <source>Station database...</source>
        <translation>工作站数据库...</translation>
    </message>
    <message>
        <source>Station database</source>
        <translation>工作站数据库</translation>
    </message>
    <message>
        <source>The password was not stored: the key store refused: %1</source>
        <translation>密码未保存：密钥库拒绝：%1</translation>
    </message>
    <message numerus="yes">
        <source> (%n waiting)</source>
        <translation>
            <numerusform> （%n 条待发送）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%n set aside)</source>
        <translation>
            <numerusform> （%n 条已搁置）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>This station's library held %n standard(s) the station database does not have. The station now works from the station database's library; they were saved to %1, for a manager to import (&quot;tintwell-cli standards import&quot;).</source>
        <translation>
            <numerusform>本工作站的标准库中有 %n 个工作站数据库没有的标准。本工作站现在使用工作站数据库的标准库；这些标准已保存到 %1，可由管理员导入（“tintwell-cli standards import”）。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StationDialog</name>
    <message>
        <source>Do not verify the server</source>
        <translation>不验证服务器</translation>
    </message>
    <message>
        <source>host name or address</source>
        <translation>主机名或地址</translation>
    </message>
    <message>
        <source>CA certificate file; empty: the system's trusted authorities</source>
        <translation>CA 证书文件；留空：使用系统信任的颁发机构</translation>
    </message>
    <message>
        <source>The server is not verified: whoever answers at this address receives the records and can pose as the station database.</source>
        <translation>服务器未经验证：在此地址应答的任何一方都会收到记录，并可冒充工作站数据库。</translation>
    </message>
    <message>
        <source>Give the server, the database and the user to test the connection.</source>
        <translation>请填写服务器、数据库和用户后再测试连接。</translation>
    </message>
    <message>
        <source>The key store could not be read: %1</source>
        <translation>无法读取密钥库：%1</translation>
    </message>
    <message>
        <source>Test connection</source>
        <translation>测试连接</translation>
    </message>
    <message>
        <source>Station database</source>
        <translation>工作站数据库</translation>
    </message>
    <message>
        <source>kept in the key store; empty: unchanged</source>
        <translation>保存在密钥库中；留空：不变</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>服务器</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>数据库</translation>
    </message>
    <message>
        <source>Station name</source>
        <translation>工作站名称</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Certificate authority</source>
        <translation>证书颁发机构</translation>
    </message>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>正在连接 %1 ...</translation>
    </message>
    <message>
        <source>Connected to %1: schema version %2.</source>
        <translation>已连接 %1：架构版本 %2。</translation>
    </message>
</context>
<context>
    <name>SyncWorker</name>
    <message>
        <source>The station database %1 cannot be reached: %2</source>
        <translation>无法连接工作站数据库 %1：%2</translation>
    </message>
    <message>
        <source>The role %1 is not registered as a station on the station database %2.</source>
        <translation>角色 %1 未在工作站数据库 %2 中登记为工作站。</translation>
    </message>
    <message>
        <source>The station database %1 refused: %2</source>
        <translation>工作站数据库 %1 拒绝：%2</translation>
    </message>
    <message>
        <source>The connection to the station database %1 was lost: %2</source>
        <translation>与工作站数据库 %1 的连接已断开：%2</translation>
    </message>
    <message>
        <source>The station database %1 refused the records: %2</source>
        <translation>工作站数据库 %1 拒绝了记录：%2</translation>
    </message>
    <message>
        <source>The station database %1 refused record %2 (%3): %4</source>
        <translation>工作站数据库 %1 拒绝了记录 %2（%3）：%4</translation>
    </message>
    <message>
        <source>The station database %1 did not take the records this time, trying again: %2</source>
        <translation>工作站数据库 %1 这次未接收记录，将再次尝试：%2</translation>
    </message>
    <message>
        <source>The journal's copy of this record is damaged and cannot be read; it is not sent.</source>
        <translation>日志中这条记录的副本已损坏，无法读取；不予发送。</translation>
    </message>
</context>
<context>
    <name>StationSchema</name>
    <message>
        <source>%1 on %2: %3</source>
        <translation>%2 上%1：%3</translation>
    </message>
    <message>
        <source>Reading the schema version failed</source>
        <translation>读取架构版本失败</translation>
    </message>
    <message>
        <source>The station database %1 has schema version %2, newer than this Tintwell knows (%3). Nothing is written to it; records wait until Tintwell is updated.</source>
        <translation>工作站数据库 %1 的架构版本为 %2，比本 Tintwell 所知的版本（%3）更新。不会向其写入任何内容；记录将等待 Tintwell 更新。</translation>
    </message>
    <message>
        <source>The station database %1 has schema version %2; this Tintwell needs %3. Run &quot;tintwell-cli db migrate&quot; first.</source>
        <translation>工作站数据库 %1 的架构版本为 %2；本 Tintwell 需要 %3。请先运行“tintwell-cli db migrate”。</translation>
    </message>
    <message>
        <source>Connecting failed</source>
        <translation>连接失败</translation>
    </message>
    <message>
        <source>Preparing the schema failed</source>
        <translation>准备架构失败</translation>
    </message>
    <message>
        <source>Migrating failed</source>
        <translation>迁移失败</translation>
    </message>
    <message>
        <source>Migration %1 (%2) failed</source>
        <translation>迁移 %1（%2）失败</translation>
    </message>
    <message>
        <source>Adding the station failed</source>
        <translation>添加工作站失败</translation>
    </message>
    <message>
        <source>Adding the manager failed</source>
        <translation>添加管理员失败</translation>
    </message>
    <message>
        <source>A station needs a name, a role and a password.</source>
        <translation>工作站需要名称、角色和密码。</translation>
    </message>
    <message>
        <source>A manager needs a role and a password.</source>
        <translation>管理者需要角色和密码。</translation>
    </message>
    <message>
        <source>An editor needs a role and a password.</source>
        <translation>编辑者需要角色和密码。</translation>
    </message>
    <message>
        <source>Adding the editor failed</source>
        <translation>添加编辑者失败</translation>
    </message>
</context>
<context>
    <name>StationHistory</name>
    <message>
        <source>The station database %1 did not answer the query: %2</source>
        <translation>工作站数据库 %1 未响应查询：%2</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>History of every station</source>
        <translation>所有工作站的历史记录</translation>
    </message>
    <message>
        <source>names, separated by commas; empty: every station</source>
        <translation>名称，以逗号分隔；留空：所有工作站</translation>
    </message>
    <message>
        <source>* and ? as wildcards</source>
        <translation>* 和 ? 为通配符</translation>
    </message>
    <message>
        <source>PASS and NG</source>
        <translation>PASS 和 NG</translation>
    </message>
    <message>
        <source>From</source>
        <translation>起始</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>截止（不含）</translation>
    </message>
    <message>
        <source>Stations</source>
        <translation>工作站</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Test name</source>
        <translation>测试名称</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>判定</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>统计</translation>
    </message>
    <message>
        <source>CSV (*.csv);;Excel workbook (*.xlsx);;CGATS (*.ti3 *.txt)</source>
        <translation>CSV 文件 (*.csv);;Excel 工作簿 (*.xlsx);;CGATS 文件 (*.ti3 *.txt)</translation>
    </message>
    <message>
        <source>These records hold no L*a*b* values, which CGATS carries; export them as CSV or workbook.</source>
        <translation>这些记录没有 CGATS 所需的 L*a*b* 值；请导出为 CSV 或工作簿。</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>工作站</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Querying the station database...</source>
        <translation>正在查询工作站数据库...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>The station database %1 cannot be reached: %2</source>
        <translation>无法连接工作站数据库 %1：%2</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>已取消。</translation>
    </message>
    <message>
        <source>%1 records, %2 PASS, %3 NG; ΔE mean %4, standard deviation %5, from %6 to %7</source>
        <translation>%1 条记录，%2 条 PASS，%3 条 NG；ΔE 平均值 %4，标准差 %5，范围 %6 至 %7</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date: write it as yyyy-MM-dd or yyyy-MM-ddThh:mm.</source>
        <translation>“%1”不是日期：请写成 yyyy-MM-dd 或 yyyy-MM-ddThh:mm。</translation>
    </message>
    <message>
        <source>History of this computer</source>
        <translation>本机历史记录</translation>
    </message>
    <message>
        <source>More rows</source>
        <translation>更多行</translation>
    </message>
    <message>
        <source>Every session</source>
        <translation>所有会话</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>会话</translation>
    </message>
    <message>
        <source>Records found</source>
        <translation>查到的记录</translation>
    </message>
    <message>
        <source>Reading the journal...</source>
        <translation>正在读取日志...</translation>
    </message>
    <message>
        <source>Computing the statistics...</source>
        <translation>正在计算统计...</translation>
    </message>
    <message>
        <source>All rows</source>
        <translation>全部行</translation>
    </message>
    <message>
        <source>Reads every row of the query, up to %1, for the statistics, the export and the batch report</source>
        <translation>读取查询的全部行（最多 %1 行），用于统计、导出和批量报告</translation>
    </message>
</context>
<context>
    <name>PgConnection</name>
    <message>
        <source>The station database %1 does not answer: check the server's name and port, and that the server is running.</source>
        <translation>工作站数据库 %1 无应答：请检查服务器名称和端口，以及服务器是否正在运行。</translation>
    </message>
    <message>
        <source>The station database %1 did not prove who it is: its certificate is not signed by a trusted authority, or names another server. Check the server's name, or give the file of the authority that signed its certificate.</source>
        <translation>工作站数据库 %1 未能证明其身份：其证书并非由受信任的颁发机构签发，或证书上写的是另一台服务器。请检查服务器名称，或指定签发其证书的颁发机构的文件。</translation>
    </message>
    <message>
        <source>The station database %1 refused the password of %2: check the user and the password.</source>
        <translation>工作站数据库 %1 拒绝了 %2 的密码：请检查用户和密码。</translation>
    </message>
    <message>
        <source>The station database %1 wants a password for %2, and none is stored or given.</source>
        <translation>工作站数据库 %1 需要 %2 的密码，但既未保存也未输入密码。</translation>
    </message>
    <message>
        <source>The station database %1 asked for the password of %2 in a way that would give it away, and was refused: the server must log stations in with scram-sha-256 over TLS.</source>
        <translation>工作站数据库 %1 要求以会泄露密码的方式提供 %2 的密码，已被拒绝：服务器必须通过 TLS 以 scram-sha-256 方式登录工作站。</translation>
    </message>
    <message>
        <source>The station database %1 does not let %2 in.</source>
        <translation>工作站数据库 %1 不允许 %2 登录。</translation>
    </message>
    <message>
        <source>The station database %1 cannot be reached.</source>
        <translation>无法连接工作站数据库 %1。</translation>
    </message>
</context>
<context>
    <name>SpectralColourSheet</name>
    <message>
        <source>Illuminant</source>
        <translation>光源</translation>
    </message>
    <message>
        <source>Observer</source>
        <translation>观察者</translation>
    </message>
    <message>
        <source>Weights</source>
        <translation>权重</translation>
    </message>
    <message>
        <source>ASTM E308 Table 5, 10 nm, the bands beyond 400 and 700 nm added to the end bands</source>
        <translation>ASTM E308 表 5，10 nm，400 nm 与 700 nm 以外的波段并入两端波段</translation>
    </message>
    <message>
        <source>Indices</source>
        <translation>指数</translation>
    </message>
    <message>
        <source>E313 yellowness under %1, CIE whiteness and tint under %2</source>
        <translation>E313 黄度按 %1，CIE 白度与色调按 %2</translation>
    </message>
    <message>
        <source>No</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Yellowness E313</source>
        <translation>E313 黄度</translation>
    </message>
    <message>
        <source>Yellowness in range</source>
        <translation>黄度在适用范围内</translation>
    </message>
    <message>
        <source>CIE whiteness</source>
        <translation>CIE 白度</translation>
    </message>
    <message>
        <source>CIE tint</source>
        <translation>CIE 色调</translation>
    </message>
    <message>
        <source>Whiteness in range</source>
        <translation>白度在适用范围内</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>standards library</source>
        <translation>标准库</translation>
    </message>
    <message>
        <source>standards library, code %1</source>
        <translation>标准库，代码 %1</translation>
    </message>
    <message>
        <source>the standard's own</source>
        <translation>该标准自身的</translation>
    </message>
    <message>
        <source>%1, version %2: %3</source>
        <translation>%1，版本 %2：%3</translation>
    </message>
    <message>
        <source>, warning beyond %1 %</source>
        <translation>，超过 %1 % 时警告</translation>
    </message>
    <message>
        <source>A: haze above 30 %, beyond the hazemeter procedure of ASTM D1003 (its procedure for diffusing materials applies). B: haze of 40 % or more, outside the scope of ISO 14782. Values flagged: %1.</source>
        <translation>A：雾度高于 30 %，超出 ASTM D1003 雾度计法的范围（应采用其漫射材料的方法）。B：雾度为 40 % 或以上，超出 ISO 14782 的适用范围。标出的数值：%1 个。</translation>
    </message>
    <message>
        <source>Approved by</source>
        <translation>批准人</translation>
    </message>
    <message>
        <source>Auditor</source>
        <translation>审核员</translation>
    </message>
    <message>
        <source>Batch report</source>
        <translation>批量报告</translation>
    </message>
    <message>
        <source>Cannot write in %1: %2</source>
        <translation>无法在 %1 中写入：%2</translation>
    </message>
    <message>
        <source>Cannot write the report into %1.</source>
        <translation>无法将报告写入 %1。</translation>
    </message>
    <message>
        <source>Cannot write the report into %1: %2</source>
        <translation>无法将报告写入 %1：%2</translation>
    </message>
    <message>
        <source>Charts of %1</source>
        <translation>%1 图表</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>公司</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>日期和时间</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Decided by</source>
        <translation>判定依据</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>固件</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>标记</translation>
    </message>
    <message>
        <source>Haze test</source>
        <translation>雾度测试</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>雾度</translation>
    </message>
    <message>
        <source>Haze, mean ± SD</source>
        <translation>雾度，平均值 ± 标准差</translation>
    </message>
    <message>
        <source>Instrument model</source>
        <translation>仪器型号</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Origin</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>Procedure followed</source>
        <translation>所依据的方法</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>读数次数</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>行数</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Specimens</source>
        <translation>样品</translation>
    </message>
    <message>
        <source>Specimens: %1    PASS: %2    NG: %3    Pass rate: %4</source>
        <translation>样品：%1    合格：%2    不合格：%3    合格率：%4</translation>
    </message>
    <message>
        <source>Spread</source>
        <translation>离散度</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Standards</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Statistics of the batch</source>
        <translation>本批统计</translation>
    </message>
    <message>
        <source>Std.</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>T</source>
        <translation>透过率</translation>
    </message>
    <message>
        <source>Tester</source>
        <translation>测试员</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Tintwell batch report, %1</source>
        <translation>Tintwell 批量报告，%1</translation>
    </message>
    <message>
        <source>Tolerances</source>
        <translation>容差</translation>
    </message>
    <message>
        <source>Transmittance, mean ± SD</source>
        <translation>透过率，平均值 ± 标准差</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>判定</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>instrument: %1</source>
        <translation>仪器：%1</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>not read from the instrument</source>
        <translation>未从仪器读取</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Batch report…</source>
        <translation>批量报告…</translation>
    </message>
    <message>
        <source>All rows</source>
        <translation>全部行</translation>
    </message>
    <message>
        <source>Selected rows</source>
        <translation>所选行</translation>
    </message>
    <message>
        <source>Rows of %1</source>
        <translation>%1 的行</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>保存 PDF</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Save the batch report</source>
        <translation>保存批量报告</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>The report was saved to %1.</source>
        <translation>报告已保存到 %1。</translation>
    </message>
    <message>
        <source>There are no rows to report.</source>
        <translation>没有可报告的行。</translation>
    </message>
    <message>
        <source>The preview shows the first %1 of %2 rows; the PDF and the print hold them all.</source>
        <translation>预览显示 %2 行中的前 %1 行；PDF 和打印件包含全部行。</translation>
    </message>
    <message>
        <source>Batch report preview</source>
        <translation>批量报告预览</translation>
    </message>
</context>
<context>
    <name>ToleranceSet</name>
    <message>
        <source>Tolerance &quot;%1&quot;: %2</source>
        <translation>公差“%1”：%2</translation>
    </message>
    <message>
        <source>empty limit</source>
        <translation>空的限值</translation>
    </message>
    <message>
        <source>only &quot;:info&quot; may follow a limit</source>
        <translation>限值后只能跟“:info”</translation>
    </message>
    <message>
        <source>expected a quantity followed by &lt;= or =</source>
        <translation>应为一个量，后跟 &lt;= 或 =</translation>
    </message>
    <message>
        <source>unknown quantity (dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t)</source>
        <translation>未知的量（dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 dEcmc141 dE00 haze t）</translation>
    </message>
    <message>
        <source>a delta-E limit is written &lt;=LIMIT</source>
        <translation>色差限值写作 &lt;=限值</translation>
    </message>
    <message>
        <source>the limit must be a number from 0 up</source>
        <translation>限值必须是不小于 0 的数</translation>
    </message>
    <message>
        <source>a difference is limited by a range =LOW..HIGH</source>
        <translation>差值的限值是一个范围 =下限..上限</translation>
    </message>
    <message>
        <source>expected a range LOW..HIGH or a number from 0 up</source>
        <translation>应为范围 下限..上限，或不小于 0 的数</translation>
    </message>
    <message>
        <source>expected a range LOW..HIGH of two numbers</source>
        <translation>应为由两个数组成的范围 下限..上限</translation>
    </message>
    <message>
        <source>the low end of the range is above its high end</source>
        <translation>范围的下限大于上限</translation>
    </message>
    <message>
        <source>this quantity is limited twice</source>
        <translation>这个量被限定了两次</translation>
    </message>
    <message>
        <source>unknown illuminant after @ (A C D50 D55 D65 D75 F2 F7 F11)</source>
        <translation>@ 后的光源未知（A C D50 D55 D65 D75 F2 F7 F11）</translation>
    </message>
    <message>
        <source>under an illuminant only dL da db dC dH and delta-E other than dEuv can be limited</source>
        <translation>在光源下只能限定 dL da db dC dH 及除 dEuv 以外的色差</translation>
    </message>
    <message>
        <source>a metamerism index limit is written &lt;=LIMIT</source>
        <translation>同色异谱指数的限值写作 &lt;=限值</translation>
    </message>
</context>
<context>
    <name>StandardLibrary</name>
    <message>
        <source>The library of standards %1 cannot be used: %2</source>
        <translation>标准库 %1 无法使用：%2</translation>
    </message>
    <message>
        <source>The library of standards is not open.</source>
        <translation>标准库未打开。</translation>
    </message>
    <message>
        <source>The library of standards is read-only here: it is kept in the station database, where a manager changes it.</source>
        <translation>此处的标准库为只读：它保存在工作站数据库中，由管理员修改。</translation>
    </message>
    <message>
        <source>A standard needs a name.</source>
        <translation>标准需要一个名称。</translation>
    </message>
    <message>
        <source>The spectrum of &quot;%1&quot; has %2 values; a spectrum has 31 (400 to 700 nm).</source>
        <translation>“%1”的光谱有 %2 个值；光谱应有 31 个（400 至 700 nm）。</translation>
    </message>
    <message>
        <source>The standard &quot;%1&quot; has no values: give L*a*b*, haze or T.</source>
        <translation>标准“%1”没有数值：请给出 L*a*b*、雾度或透过率。</translation>
    </message>
    <message>
        <source>A standard named &quot;%1&quot; is in the library already.</source>
        <translation>标准库中已有名为“%1”的标准。</translation>
    </message>
    <message>
        <source>The tolerance set named for &quot;%1&quot; is not in the library.</source>
        <translation>为“%1”指定的公差组不在标准库中。</translation>
    </message>
    <message>
        <source>The standard &quot;%1&quot; is not in the library.</source>
        <translation>标准“%1”不在标准库中。</translation>
    </message>
    <message>
        <source>That standard is not in the library.</source>
        <translation>该标准不在标准库中。</translation>
    </message>
    <message>
        <source>A shared tolerance set needs a name.</source>
        <translation>共享公差组需要一个名称。</translation>
    </message>
    <message>
        <source>A tolerance set named &quot;%1&quot; is in the library already.</source>
        <translation>标准库中已有名为“%1”的公差组。</translation>
    </message>
    <message>
        <source>The code &quot;%1&quot; is that of &quot;%2&quot; already; a barcode must find one standard.</source>
        <translation>代码“%1”已属于“%2”；一个条形码只能对应一个标准。</translation>
    </message>
</context>
<context>
    <name>StandardFiles</name>
    <message>
        <source>The file is empty; its first row names the columns: %1.</source>
        <translation>文件为空；第一行应列出各列：%1。</translation>
    </message>
    <message>
        <source>the columns must be %1, optionally followed by s400 … s700</source>
        <translation>各列必须为 %1，其后可跟 s400 … s700</translation>
    </message>
    <message>
        <source>%1 cells where the header has %2</source>
        <translation>有 %1 个单元格，而表头有 %2 个</translation>
    </message>
    <message>
        <source>the standard has no name</source>
        <translation>标准没有名称</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is named twice</source>
        <translation>“%1”出现了两次</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in column %2 is not a number</source>
        <translation>列 %2 中的“%1”不是数字</translation>
    </message>
    <message>
        <source>L, a and b are given together or not at all</source>
        <translation>L、a、b 必须同时给出或都不给出</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no values: give L, a and b, haze or t</source>
        <translation>“%1”没有数值：请给出 L、a 和 b、haze 或 t</translation>
    </message>
    <message>
        <source>the spectrum needs a number in every column s400 … s700 (%1)</source>
        <translation>光谱在 s400 … s700 的每一列都需要一个数（%1）</translation>
    </message>
    <message>
        <source>the warning band &quot;%1&quot; is not a percentage from 0 up to 100</source>
        <translation>预警带“%1”不是 0 至 100（不含）之间的百分比</translation>
    </message>
    <message>
        <source>a standard has its own tolerances or a shared set, not both</source>
        <translation>标准要么有自己的公差，要么使用共享公差组，不能两者都有</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is named twice in the file</source>
        <translation>文件中“%1”出现了两次</translation>
    </message>
    <message>
        <source>The workbook %1 cannot be read: %2</source>
        <translation>无法读取工作簿 %1：%2</translation>
    </message>
    <message>
        <source>Row %1: every standard of the library needs a name of its own.</source>
        <translation>第 %1 行：库中每个标准都需要自己的名称。</translation>
    </message>
    <message>
        <source>%1: standards are read from .csv, .ti3, .txt, .cxf or .xlsx files.</source>
        <translation>%1：标准只能从 .csv、.ti3、.txt、.cxf 或 .xlsx 文件读取。</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1: standards are written to .csv, .ti3, .txt, .cxf or .xlsx files.</source>
        <translation>%1：标准只能写入 .csv、.ti3、.txt、.cxf 或 .xlsx 文件。</translation>
    </message>
    <message>
        <source>None of the standards has L*a*b* values to write to %1.</source>
        <translation>没有任何标准有可写入 %1 的 L*a*b* 值。</translation>
    </message>
    <message>
        <source>A standard-colour workbook is made for one instrument model; name it.</source>
        <translation>标准色工作簿只针对一种仪器型号，请指定型号。</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: there is no shared tolerance set &quot;%2&quot;.</source>
        <translation>“%1”：没有名为“%2”的共享公差组。</translation>
    </message>
</context>
<context>
    <name>ServerLibrary</name>
    <message>
        <source>%1 on %2: %3</source>
        <translation>%2 上%1：%3</translation>
    </message>
    <message>
        <source>Reading the library of standards failed</source>
        <translation>读取标准库失败</translation>
    </message>
    <message>
        <source>Writing the library of standards failed</source>
        <translation>写入标准库失败</translation>
    </message>
    <message>
        <source>The station database %1 holds the tolerance set %2 with a limit this Tintwell does not know; update Tintwell.</source>
        <translation>工作站数据库 %1 中的容差组 %2 含有本 Tintwell 不认识的限值；请更新 Tintwell。</translation>
    </message>
    <message>
        <source>The library of standards is kept in the station database %1: only a manager or a library editor may change it (log in with that role, e.g. &quot;tintwell-cli standards ... --user MANAGER&quot;); the role %2 only reads it.</source>
        <translation>标准库保存在工作站数据库 %1 中：只有管理员或标准库编辑者可以修改它（请以该角色登录，例如“tintwell-cli standards ... --user MANAGER”）；角色 %2 只能读取。</translation>
    </message>
    <message>
        <source>The station database %1 already holds a standard or shared set of that name: %2</source>
        <translation>工作站数据库 %1 中已有同名的标准或共享容差组：%2</translation>
    </message>
    <message>
        <source>Someone else changed the library on the station database %1 meanwhile; nothing was written. Try again: %2</source>
        <translation>在此期间有人修改了工作站数据库 %1 上的标准库；未写入任何内容。请重试：%2</translation>
    </message>
</context>
<context>
    <name>StandardsWorker</name>
    <message>
        <source>The station's own standards could not be kept before the station database's library replaced them, so its copy waits: %1</source>
        <translation>在工作站数据库的标准库替换本工作站自有的标准之前，未能保存这些标准，因此副本暂不更新：%1</translation>
    </message>
    <message>
        <source>The station's copy of the library of standards cannot be written: %1</source>
        <translation>无法写入本工作站的标准库副本：%1</translation>
    </message>
    <message>
        <source>The station database %1 cannot be reached; the station works from its copy of the library of standards: %2</source>
        <translation>无法连接工作站数据库 %1；本工作站使用其标准库副本工作：%2</translation>
    </message>
    <message>
        <source>The station database %1 has no library of standards yet (schema version %2); run &quot;tintwell-cli db migrate&quot;.</source>
        <translation>工作站数据库 %1 尚无标准库（架构版本 %2）；请运行“tintwell-cli db migrate”。</translation>
    </message>
    <message>
        <source>The station database %1 refused: %2</source>
        <translation>工作站数据库 %1 拒绝：%2</translation>
    </message>
    <message>
        <source>The connection to the station database %1 was lost: %2</source>
        <translation>与工作站数据库 %1 的连接已断开：%2</translation>
    </message>
</context>
<context>
    <name>StandardPicker</name>
    <message>
        <source>No library of standards is open.</source>
        <translation>未打开标准库。</translation>
    </message>
    <message>
        <source>No standard has the name or code &quot;%1&quot;.</source>
        <translation>没有名称或编码为“%1”的标准。</translation>
    </message>
    <message>
        <source>Several standards match &quot;%1&quot;: choose one from the list.</source>
        <translation>有多个标准与“%1”匹配：请从列表中选择一个。</translation>
    </message>
    <message>
        <source>No scanned standard to keep.</source>
        <translation>没有可保存的已扫描标准。</translation>
    </message>
    <message>
        <source>This station works from its copy of the station database's library, which only reads: a manager adds and edits standards there.</source>
        <translation>本工作站使用工作站数据库标准库的本地副本，只能读取：标准由管理员在工作站数据库中添加和编辑。</translation>
    </message>
</context>
<context>
    <name>StandardPickerPanel</name>
    <message>
        <source>Library standard:</source>
        <translation>库标准：</translation>
    </message>
    <message>
        <source>Name or code (a scanner's barcode)</source>
        <translation>名称或编码（扫码枪条码）</translation>
    </message>
    <message>
        <source>Library standard: type a name or code, or scan its barcode</source>
        <translation>库标准：输入名称或编码，或扫描其条码</translation>
    </message>
    <message>
        <source>Back to the instrument's tolerances</source>
        <translation>恢复使用仪器的容差</translation>
    </message>
    <message>
        <source>Save as standard…</source>
        <translation>另存为标准…</translation>
    </message>
    <message>
        <source>Save the scanned standard in the library</source>
        <translation>将扫描的标准保存到标准库</translation>
    </message>
    <message>
        <source>Library…</source>
        <translation>标准库…</translation>
    </message>
    <message>
        <source>Open the library of standards</source>
        <translation>打开标准库</translation>
    </message>
    <message>
        <source>Keeps the scanned standard in the library with its tolerances</source>
        <translation>将扫描的标准连同其容差保存到标准库</translation>
    </message>
    <message>
        <source>Scan a standard first (a library standard is in the library already)</source>
        <translation>请先扫描标准（库标准已在库中）</translation>
    </message>
    <message>
        <source>No library of standards is open</source>
        <translation>未打开标准库</translation>
    </message>
    <message>
        <source>Library standard</source>
        <translation>库标准</translation>
    </message>
    <message>
        <source>%1 (version %2) has no tolerances yet: the instrument's tolerances judge.</source>
        <translation>%1（版本 %2）尚无容差：按仪器的容差判定。</translation>
    </message>
    <message>
        <source>In force: the library's tolerances of %1 (version %2): %3. The instrument's tolerances are not changed.</source>
        <translation>生效中：标准库中 %1（版本 %2）的容差：%3。仪器的容差未被更改。</translation>
    </message>
</context>
<context>
    <name>StandardTexts</name>
    <message>
        <source>ΔHaze</source>
        <translation>Δ雾度</translation>
    </message>
    <message>
        <source>ΔT</source>
        <translation>Δ透过率</translation>
    </message>
    <message>
        <source>%1 (informs)</source>
        <translation>%1（仅提示）</translation>
    </message>
    <message>
        <source>no limits</source>
        <translation>无限值</translation>
    </message>
    <message>
        <source>; warning beyond %1 % of a limit</source>
        <translation>；超过限值的 %1 % 时预警</translation>
    </message>
    <message>
        <source>Haze %1 %</source>
        <translation>雾度 %1 %</translation>
    </message>
    <message>
        <source>T %1 %</source>
        <translation>透过率 %1 %</translation>
    </message>
    <message>
        <source>no values</source>
        <translation>无数值</translation>
    </message>
    <message>
        <source>NG: %1 is beyond its limit %2.</source>
        <translation>NG：%1 超出其限值 %2。</translation>
    </message>
    <message>
        <source>PASS with a warning: %1 is beyond %2 % of its limit %3.</source>
        <translation>PASS（预警）：%1 超过其限值 %3 的 %2 %。</translation>
    </message>
    <message>
        <source>PASS: within every limit.</source>
        <translation>PASS：在所有限值之内。</translation>
    </message>
    <message>
        <source>Library standard %1, version %2</source>
        <translation>库标准 %1，版本 %2</translation>
    </message>
    <message>
        <source>Tolerances: %1</source>
        <translation>容差：%1</translation>
    </message>
    <message>
        <source>ΔHaze beyond ±%1 %</source>
        <translation>Δ雾度超出 ±%1 %</translation>
    </message>
    <message>
        <source>ΔT beyond ±%1 %</source>
        <translation>Δ透过率超出 ±%1 %</translation>
    </message>
    <message>
        <source>ΔE beyond %1</source>
        <translation>ΔE 超出 %1</translation>
    </message>
    <message>
        <source>PASS: within the instrument's tolerances.</source>
        <translation>PASS：在仪器的容差之内。</translation>
    </message>
    <message>
        <source>NG: a value the verdict needs is not known.</source>
        <translation>NG：判定所需的某个数值未知。</translation>
    </message>
    <message>
        <source>NG: %1.</source>
        <translation>NG：%1。</translation>
    </message>
    <message>
        <source>Judged by the instrument's tolerances.</source>
        <translation>按仪器的容差判定。</translation>
    </message>
    <message>
        <source>Library standard %1, version %2, has no limits yet: judged by the instrument's tolerances.</source>
        <translation>库标准 %1（版本 %2）尚无限值：按仪器的容差判定。</translation>
    </message>
    <message>
        <source>MI %1</source>
        <translation>同色异谱指数 %1</translation>
    </message>
    <message>
        <source>%1 under %2</source>
        <translation>%2 下的 %1</translation>
    </message>
</context>
<context>
    <name>ToleranceSetEditor</name>
    <message>
        <source>Difference</source>
        <translation>差值</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>下限</translation>
    </message>
    <message>
        <source>High / ≤</source>
        <translation>上限 / ≤</translation>
    </message>
    <message>
        <source>Decides</source>
        <translation>判定</translation>
    </message>
    <message>
        <source>Limits of the tolerance set</source>
        <translation>容差组的限值</translation>
    </message>
    <message>
        <source>Add limit</source>
        <translation>添加限值</translation>
    </message>
    <message>
        <source>Remove limit</source>
        <translation>删除限值</translation>
    </message>
    <message>
        <source>Remove the chosen limit</source>
        <translation>删除所选限值</translation>
    </message>
    <message>
        <source>Warning band:</source>
        <translation>预警带：</translation>
    </message>
    <message>
        <source>Warning band in percent of each limit</source>
        <translation>预警带，占各限值的百分比</translation>
    </message>
    <message>
        <source>A passing value beyond this share of a limit is flagged as a warning; 0: none</source>
        <translation>合格值超过限值的此比例时标记为预警；0：不预警</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>decides</source>
        <translation>判定</translation>
    </message>
    <message>
        <source>Limit %1 decides the verdict</source>
        <translation>限值 %1 参与判定</translation>
    </message>
    <message>
        <source>Difference of limit %1</source>
        <translation>限值 %1 的差值</translation>
    </message>
    <message>
        <source>Low bound of limit %1</source>
        <translation>限值 %1 的下限</translation>
    </message>
    <message>
        <source>High bound of limit %1</source>
        <translation>限值 %1 的上限</translation>
    </message>
</context>
<context>
    <name>SaveStandardDialog</name>
    <message>
        <source>Save as standard</source>
        <translation>另存为标准</translation>
    </message>
    <message>
        <source>Values of the standard</source>
        <translation>标准的数值</translation>
    </message>
    <message>
        <source>Values:</source>
        <translation>数值：</translation>
    </message>
    <message>
        <source>Name of the standard</source>
        <translation>标准名称</translation>
    </message>
    <message>
        <source>Code or barcode of the standard</source>
        <translation>标准的编码或条码</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>Tolerance set</source>
        <translation>容差组</translation>
    </message>
    <message>
        <source>Its own tolerances</source>
        <translation>自有容差</translation>
    </message>
    <message>
        <source>Shared: %1</source>
        <translation>共享：%1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>编码：</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>备注：</translation>
    </message>
    <message>
        <source>Tolerances:</source>
        <translation>容差：</translation>
    </message>
    <message>
        <source>The standard needs a name.</source>
        <translation>标准需要一个名称。</translation>
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
        <translation>这是工作站数据库中标准库的本站副本：此处只能查看标准和容差，由管理员修改。</translation>
    </message>
</context>
<context>
    <name>StandardsWindow</name>
    <message>
        <source>Library of standards</source>
        <translation>标准库</translation>
    </message>
    <message>
        <source>Search by name or code</source>
        <translation>按名称或编码搜索</translation>
    </message>
    <message>
        <source>Search the standards by name or code</source>
        <translation>按名称或编码搜索标准</translation>
    </message>
    <message>
        <source>Standards</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>New standard</source>
        <translation>新建标准</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Remove the chosen standard</source>
        <translation>删除所选标准</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>编码：</translation>
    </message>
    <message>
        <source>Values:</source>
        <translation>数值：</translation>
    </message>
    <message>
        <source>Origin:</source>
        <translation>来源：</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>备注：</translation>
    </message>
    <message>
        <source>Versions:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>Tolerances:</source>
        <translation>容差：</translation>
    </message>
    <message>
        <source>Limits:</source>
        <translation>限值：</translation>
    </message>
    <message>
        <source>Name of the standard</source>
        <translation>标准名称</translation>
    </message>
    <message>
        <source>Code or barcode of the standard</source>
        <translation>标准的编码或条码</translation>
    </message>
    <message>
        <source>Haze %</source>
        <translation>雾度 %</translation>
    </message>
    <message>
        <source>T %</source>
        <translation>透过率 %</translation>
    </message>
    <message>
        <source>Standard's %1</source>
        <translation>标准的 %1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>Versions of the standard, the newest first</source>
        <translation>标准的各版本，最新的在前</translation>
    </message>
    <message>
        <source>Tolerance set: its own or a shared one</source>
        <translation>容差组：自有或共享</translation>
    </message>
    <message>
        <source>Name of the shared set</source>
        <translation>共享容差组名称</translation>
    </message>
    <message>
        <source>Shared set name (empty: its own)</source>
        <translation>共享容差组名称（留空：自有）</translation>
    </message>
    <message>
        <source>Save (new version)</source>
        <translation>保存（新版本）</translation>
    </message>
    <message>
        <source>Import…</source>
        <translation>导入…</translation>
    </message>
    <message>
        <source>Import standards from a file</source>
        <translation>从文件导入标准</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>导出…</translation>
    </message>
    <message>
        <source>Export the standards to a file</source>
        <translation>将标准导出到文件</translation>
    </message>
    <message>
        <source>Write to instrument</source>
        <translation>写入仪器</translation>
    </message>
    <message>
        <source>Write the chosen standards to the instrument's standard colours</source>
        <translation>将所选标准写入仪器的标准色</translation>
    </message>
    <message>
        <source>Sends the chosen standards to the instrument's standard-colour library</source>
        <translation>将所选标准发送到仪器的标准色库</translation>
    </message>
    <message>
        <source>Measured with the %1 %2 on %3</source>
        <translation>于 %3 用 %1 %2 测量</translation>
    </message>
    <message>
        <source>From the file %1</source>
        <translation>来自文件 %1</translation>
    </message>
    <message>
        <source>Typed</source>
        <translation>手工输入</translation>
    </message>
    <message>
        <source>A new standard</source>
        <translation>新标准</translation>
    </message>
    <message>
        <source>Its own tolerances</source>
        <translation>自有容差</translation>
    </message>
    <message>
        <source>Shared: %1</source>
        <translation>共享：%1</translation>
    </message>
    <message>
        <source>The standard needs a name.</source>
        <translation>标准需要一个名称。</translation>
    </message>
    <message>
        <source>%1 is not a number: &quot;%2&quot;.</source>
        <translation>%1 不是数字：“%2”。</translation>
    </message>
    <message>
        <source>Give all three of L*, a* and b*, or none.</source>
        <translation>请同时给出 L*、a* 和 b* 三个值，或都不填。</translation>
    </message>
    <message>
        <source>The standard was not saved: %1</source>
        <translation>标准未保存：%1</translation>
    </message>
    <message>
        <source>The standard was not removed: %1</source>
        <translation>标准未删除：%1</translation>
    </message>
    <message>
        <source>Choose the standards to write in the list first.</source>
        <translation>请先在列表中选择要写入的标准。</translation>
    </message>
    <message>
        <source>Import standards</source>
        <translation>导入标准</translation>
    </message>
    <message>
        <source>Standards (*.csv *.ti3 *.txt *.cxf *.xlsx)</source>
        <translation>标准 (*.csv *.ti3 *.txt *.cxf *.xlsx)</translation>
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
        <translation>标准色工作簿 (*.xlsx)</translation>
    </message>
    <message>
        <source>Nothing was imported from %1: %2</source>
        <translation>未从 %1 导入任何内容：%2</translation>
    </message>
    <message>
        <source>%1 added, %2 changed, %3 unchanged.</source>
        <translation>新增 %1 个，修改 %2 个，未变 %3 个。</translation>
    </message>
    <message>
        <source>The import of %1 stopped: %2
%3</source>
        <translation>%1 的导入已中止：%2
%3</translation>
    </message>
    <message>
        <source>Imported from %1: %2</source>
        <translation>已从 %1 导入：%2</translation>
    </message>
    <message>
        <source>Export standards</source>
        <translation>导出标准</translation>
    </message>
    <message>
        <source>The library holds no standards to export.</source>
        <translation>标准库中没有可导出的标准。</translation>
    </message>
    <message>
        <source>CGATS (*.ti3)</source>
        <translation>CGATS (*.ti3)</translation>
    </message>
    <message>
        <source>%1: choose a name ending in .csv, .ti3, .cxf or .xlsx.</source>
        <translation>%1：请选择以 .csv、.ti3、.cxf 或 .xlsx 结尾的文件名。</translation>
    </message>
    <message>
        <source>%1 was not written: %2</source>
        <translation>%1 未写入：%2</translation>
    </message>
    <message>
        <source>%1 standards written to %2.</source>
        <translation>已将 %1 个标准写入 %2。</translation>
    </message>
    <message>
        <source>Remove the standard &quot;%1&quot; from the library? Rows judged with it keep their verdicts, and its versions stay readable.</source>
        <translation>从标准库中删除标准“%1”？用它判定的行保留其判定结果，其各版本仍可查看。</translation>
    </message>
</context>
<context>
    <name>BatchReportDialog</name>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Batch report</source>
        <translation>批量报告</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>保存 PDF</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Save the batch report</source>
        <translation>保存批量报告</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>The report was saved to %1.</source>
        <translation>报告已保存到 %1。</translation>
    </message>
    <message>
        <source>Batch report preview</source>
        <translation>批量报告预览</translation>
    </message>
</context>
<context>
    <name>JournalHistory</name>
    <message>
        <source>The journal %1 cannot be read: %2</source>
        <translation>无法读取日志 %1：%2</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2, %n record(s)</source>
        <translation>
            <numerusform>%1，%2，%n 条记录</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %2, %n record(s), open</source>
        <translation>
            <numerusform>%1，%2，%n 条记录，未关闭</numerusform>
        </translation>
    </message>
    <message>
        <source>None of these rows was judged against a library standard: nothing was judged again.</source>
        <translation>这些行都没有按标准库中的标准判定：没有重新判定任何行。</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) judged again with the current standards.</source>
        <translation>
            <numerusform>已按当前标准重新判定 %n 行。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) changed verdict.</source>
        <translation>
            <numerusform>%n 行的判定结果改变。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: version %2 → %3 (%n row(s)).</source>
        <translation>
            <numerusform>%1：版本 %2 → %3（%n 行）。</numerusform>
        </translation>
    </message>
    <message>
        <source>Every row was already judged with the current version.</source>
        <translation>每一行都已按当前版本判定。</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) kept as they were: their standard is no longer in the library.</source>
        <translation>
            <numerusform>%n 行保持原样：其标准已不在标准库中。</numerusform>
        </translation>
    </message>
    <message>
        <source>Judge again with the current standards</source>
        <translation>按当前标准重新判定</translation>
    </message>
    <message>
        <source>Judge again</source>
        <translation>重新判定</translation>
    </message>
    <message>
        <source>No library of standards is open.</source>
        <translation>没有打开标准库。</translation>
    </message>
</context>
<context>
    <name>LibrarySpectrumStandards</name>
    <message>
        <source>Transmittance curve</source>
        <translation>透射率曲线</translation>
    </message>
    <message>
        <source>the library is the station's copy and can only be read; add standards at the station</source>
        <translation>标准库是工作站的副本，只能读取；请在工作站添加标准</translation>
    </message>
    <message>
        <source>the curve has no name</source>
        <translation>曲线没有名称</translation>
    </message>
    <message>
        <source>the library did not take the standard</source>
        <translation>标准库未接受该标准</translation>
    </message>
</context>
<context>
    <name>SpectralColourTables</name>
    <message>
        <source>%1 (warning: %2)</source>
        <translation>%1（警告：%2）</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
</context>
<context>
    <name>CurrentVersionJudging</name>
    <message>
        <source>None of these rows was judged against a library standard: nothing was judged again.</source>
        <translation>这些行都没有按标准库中的标准判定：没有重新判定任何行。</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) judged again with the current standards.</source>
        <translation>
            <numerusform>已按当前标准重新判定 %n 行。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) changed verdict.</source>
        <translation>
            <numerusform>%n 行的判定结果改变。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: version %2 → %3 (%n row(s)).</source>
        <translation>
            <numerusform>%1：版本 %2 → %3（%n 行）。</numerusform>
        </translation>
    </message>
    <message>
        <source>Every row was already judged with the current version.</source>
        <translation>每一行都已按当前版本判定。</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) kept as they were: their standard is no longer in the library.</source>
        <translation>
            <numerusform>%n 行保持原样：其标准已不在标准库中。</numerusform>
        </translation>
    </message>
    <message>
        <source>Judge again with the current standards</source>
        <translation>按当前标准重新判定</translation>
    </message>
    <message>
        <source>Judge again</source>
        <translation>重新判定</translation>
    </message>
    <message>
        <source>No library of standards is open.</source>
        <translation>没有打开标准库。</translation>
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
        <translation>C 光源、2° 观察者下的 Y：透射曲线为光透射比，反射曲线为光反射比</translation>
    </message>
</context>
<context>
    <name>ReadingsSheet</name>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样品</translation>
    </message>
    <message>
        <source>Test Name</source>
        <translation>测试名称</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>标准/样品</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>读数序号</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>雾度</translation>
    </message>
</context>
<context>
    <name>SpreadsheetExport</name>
    <message>
        <source>The data were stored, but the readings sheet could not be added: %1</source>
        <translation>数据已存储，但无法添加读数工作表：%1</translation>
    </message>
</context>
</TS>
