// Draws a stand-in snapshot for the demo folder: a coloured title screen with the game's name,
// at the size the real emulator would save for that game.
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <file.png> <width> <height> <title>\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "width and height must be positive\n");
        return 2;
    }
    const QString title = QString::fromLocal8Bit(argv[4]);

    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, height);
    const int hue = static_cast<int>(qHash(title) % 360);
    sky.setColorAt(0, QColor::fromHsv(hue, 200, 90));
    sky.setColorAt(1, QColor::fromHsv((hue + 60) % 360, 220, 30));
    painter.fillRect(picture.rect(), sky);

    painter.setPen(QColor::fromHsv((hue + 180) % 360, 80, 255));
    for (int y = height / 8; y < height; y += height / 8) {
        painter.drawLine(0, y, width, y - height / 16);
    }
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(qMax(10, qMin(width / (title.size() + 2), height / 5)));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, title.toUpper());
    painter.drawRect(picture.rect().adjusted(2, 2, -3, -3));
    painter.end();

    return picture.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
