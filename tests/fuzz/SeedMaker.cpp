// Writes the seed corpus of the fuzz targets from the emulator's real replies:
//   fuzz_seed_maker <corpus dir>
#include "EmulatedLink.h"
#include "FakeHidBackend.h"
#include "FuzzEntries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

// Forwards to the emulated link and keeps every reply it received.
class RecordingReplies final : public Transport
{
public:
    explicit RecordingReplies(Transport& inner) : m_inner(inner) {}
    bool isLinkOpen() const override { return m_inner.isLinkOpen(); }
    int sendFrame(QByteArray& frame, int timeoutMs) override
    {
        return m_inner.sendFrame(frame, timeoutMs);
    }
    int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen, bool check) override
    {
        const int n = m_inner.receiveFrame(buffer, timeoutMs, expectedLen, check);
        replies.append(n > 0 ? buffer : QByteArray());
        return n;
    }
    void delayMs(int) override {}

    QList<QByteArray> replies;

private:
    Transport& m_inner;
};

bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        qCritical("usage: fuzz_seed_maker <corpus dir>");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    root.mkpath(QStringLiteral("fuzz_protocol"));
    root.mkpath(QStringLiteral("fuzz_link"));
    int files = 0;
    QList<QByteArray> longReplies;
    for (const char* model : {"TX310", "TX430", "TX470"}) {
        for (int command = 0; command < fuzz::kCommandCount; ++command) {
            EmulatedLink emulated(QString::fromLatin1(model));
            RecordingReplies recording(emulated.transport);
            const int parameter = 3;
            fuzz::runCommand(recording, command, parameter);
            const QByteArray input =
                fuzz::protocolInput(command, false, parameter, recording.replies);
            const QString name = QStringLiteral("%1_%2").arg(QLatin1String(model)).arg(command, 2, 10, QLatin1Char('0'));
            files += write(root.filePath(QStringLiteral("fuzz_protocol/") + name), input);
            for (const QByteArray& reply : recording.replies) {
                if (reply.size() > 20) {
                    longReplies.append(reply);
                }
            }
        }
    }
    // The link reads the same replies as 64-byte reports of up to 62 data bytes.
    for (int i = 0; i < longReplies.size() && i < 8; ++i) {
        const QByteArray& reply = longReplies.at(i);
        QByteArray input;
        input.append(static_cast<char>(reply.size() & 0xFF));
        input.append(static_cast<char>(reply.size() >> 8));
        for (int pos = 0; pos < reply.size(); pos += 62) {
            input.append(FakeHidBackend::dataReport(reply.mid(pos, 62)));
        }
        files += write(root.filePath(QStringLiteral("fuzz_link/reply_%1").arg(i)), input);
    }
    qInfo("wrote %d seed files", files);
    return files > 0 ? 0 : 1;
}
