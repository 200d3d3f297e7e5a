// Draws the program's icons and its default snapshot picture into the folder given on the
// command line. The PNG files it writes are committed in res/images; run
// res/draw_resources.sh after changing a drawing.
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Drawing = std::function<void(QPainter&)>;

// Every icon is drawn on a 32 x 32 canvas and scaled to the size wanted.
QImage DrawIcon(int size, const Drawing& draw) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    draw(painter);
    return image;
}

void Triangle(QPainter& p, bool pointsRight) {
    const QPolygonF shape =
        pointsRight ? QPolygonF{{9, 5}, {26, 16}, {9, 27}} : QPolygonF{{23, 5}, {6, 16}, {23, 27}};
    p.setPen(QPen(QColor(10, 40, 90), 2));
    p.setBrush(QColor(40, 110, 210));
    p.drawPolygon(shape);
}

void Speaker(QPainter& p, bool withWaves) {
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(90, 90, 90));
    p.drawPolygon(QPolygonF{{3, 12}, {9, 12}, {17, 5}, {17, 27}, {9, 20}, {3, 20}});
    if (!withWaves) {
        return;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 120, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(11, 10, 10, 12), -50 * 16, 100 * 16);
    p.drawArc(QRectF(10, 6, 16, 20), -50 * 16, 100 * 16);
    p.drawArc(QRectF(9, 2, 22, 28), -50 * 16, 100 * 16);
}

void Cross(QPainter& p) {
    p.setPen(QPen(QColor(200, 20, 20), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(25, 25));
    p.drawLine(QPointF(25, 7), QPointF(7, 25));
}

void OutwardArrows(QPainter& p) {
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::black);
    // One arrow per corner, each from near the centre to its corner.
    for (const QPointF corner : {QPointF(3, 3), QPointF(29, 3), QPointF(3, 29), QPointF(29, 29)}) {
        const QPointF inner(16 + (corner.x() - 16) * 0.25, 16 + (corner.y() - 16) * 0.25);
        const double dx = corner.x() < 16 ? 1 : -1;
        const double dy = corner.y() < 16 ? 1 : -1;
        p.drawLine(inner, corner + QPointF(dx * 3, dy * 3));
        p.drawPolygon(QPolygonF{corner, corner + QPointF(dx * 9, 0), corner + QPointF(0, dy * 9)});
    }
}

void Joystick(QPainter& p) {
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(30, 60, 150));
    p.drawRoundedRect(QRectF(3, 21, 26, 8), 3, 3);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(14.5, 11, 3, 11));
    QRadialGradient ball(QPointF(13, 7), 9);
    ball.setColorAt(0, QColor(255, 120, 120));
    ball.setColorAt(1, QColor(190, 0, 0));
    p.setBrush(ball);
    p.drawEllipse(QRectF(9, 2, 14, 13));
    p.setBrush(QColor(250, 210, 0));
    p.drawEllipse(QRectF(22, 22, 5, 5));
}

// The picture shown before any snapshot: an arcade screen with a test card.
QImage DrawDefaultSnapshot() {
    QImage image(232, 263, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient cabinet(0, 0, 0, 263);
    cabinet.setColorAt(0, QColor(40, 40, 48));
    cabinet.setColorAt(1, QColor(10, 10, 14));
    p.fillRect(image.rect(), cabinet);
    const QRectF screen(20, 24, 192, 176);
    p.setPen(QPen(QColor(120, 120, 130), 4));
    p.setBrush(Qt::black);
    p.drawRoundedRect(screen, 10, 10);
    const QColor bars[] = {Qt::white,   Qt::yellow, Qt::cyan, Qt::green,
                           Qt::magenta, Qt::red,    Qt::blue};
    const double barWidth = (screen.width() - 24) / 7;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        p.fillRect(QRectF(screen.left() + 12 + i * barWidth, screen.top() + 14, barWidth, 90),
                   bars[i]);
    }
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(22);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(screen.left(), screen.top() + 110, screen.width(), 30), Qt::AlignCenter,
               "KESTRUN");
    font.setPixelSize(13);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(200, 200, 200));
    p.drawText(QRectF(screen.left(), screen.top() + 138, screen.width(), 24), Qt::AlignCenter,
               "no snapshot");
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 0, 0));
    p.drawEllipse(QRectF(60, 220, 20, 20));
    p.setBrush(QColor(0, 160, 0));
    p.drawEllipse(QRectF(152, 220, 20, 20));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(112, 222, 8, 22));
    return image;
}

bool Save(const QImage& image, const QString& path) {
    if (image.save(path, "PNG")) {
        return true;
    }
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const std::pair<int, Drawing> icons[] = {
        {130, Joystick},
        {144, [](QPainter& p) { Triangle(p, true); }},
        {146, [](QPainter& p) { Triangle(p, false); }},
        {147, [](QPainter& p) { Speaker(p, false); }},
        {148, [](QPainter& p) { Speaker(p, true); }},
        {149, Cross},
        {150, OutwardArrows},
    };
    // The program's icon also serves the desktop's menus and shortcuts, at their sizes.
    constexpr int ProgramIcon = 130;
    const std::vector<int> buttonSizes = {16, 32};
    const std::vector<int> programSizes = {16, 32, 48, 64, 128, 256};
    bool ok = true;
    for (const auto& [id, drawing] : icons) {
        for (const int size : id == ProgramIcon ? programSizes : buttonSizes) {
            ok = Save(DrawIcon(size, drawing),
                      out.filePath(QStringLiteral("icon%1-%2.png").arg(id).arg(size))) &&
                 ok;
        }
    }
    ok = Save(DrawDefaultSnapshot(), out.filePath(QStringLiteral("bitmap129.png"))) && ok;
    return ok ? 0 : 1;
}
