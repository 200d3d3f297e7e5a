#include "tests/platform/display/x_display_probe.h"

#include <QRegularExpression>

namespace kestrun::testing {

CrtcSizes LitCrtcSizes(const std::string& displayName) {
    QProcess xrandr;
    xrandr.start("xrandr", {"--current", "-d", QString::fromStdString(displayName)});
    xrandr.waitForFinished(10000);
    const QRegularExpression lit(R"(^\S+ connected (?:primary )?(\d+)x(\d+)\+)",
                                 QRegularExpression::MultilineOption);
    CrtcSizes sizes;
    for (const QRegularExpressionMatch& size : lit.globalMatch(xrandr.readAllStandardOutput())) {
        sizes.emplace_back(size.captured(1).toUInt(), size.captured(2).toUInt());
    }
    return sizes;
}

bool AddVgaMode(const std::string& displayName) {
    const QStringList display{"-d", QString::fromStdString(displayName)};
    for (const QString step : {"--newmode vga_test 25.175 640 656 752 800 480 490 492 525",
                               "--addmode screen vga_test"}) {
        if (QProcess::execute("xrandr", display + step.split(' ')) != 0) {
            return false;
        }
    }
    return true;
}

// -displayfd 1 writes the display number once the server accepts connections. Without
// -noreset the server starts afresh whenever its last client leaves, which the tests' short
// connections would make happen between any two calls.
PrivateXServer::PrivateXServer() {
    server_.setStandardErrorFile(QProcess::nullDevice());
    server_.start(
        "Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
    while (!server_.canReadLine() && server_.waitForReadyRead(10000)) {
    }
    const QByteArray number = server_.readLine().trimmed();
    if (!number.isEmpty()) {
        displayName_ = ":" + number.toStdString();
    }
}

PrivateXServer::~PrivateXServer() {
    server_.terminate();
    server_.waitForFinished();
}

}  // namespace kestrun::testing
