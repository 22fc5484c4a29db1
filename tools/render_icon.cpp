// Renders an SVG picture into square PNG files, one per size, for the icon theme.
//   render_icon SVG OUTDIR SIZE...    writes OUTDIR/SIZExSIZE/apps/vorlak.png for each size
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: render_icon SVG OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(args[0]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(args[0]));
        return 1;
    }
    const QString name = QFileInfo(args[0]).completeBaseName() + QStringLiteral(".png");
    for (const QString& sizeText : args.mid(2)) {
        const int size = sizeText.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "render_icon: bad size %s\n", qPrintable(sizeText));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(size);
        if (!QDir().mkpath(dir) || !image.save(dir + u'/' + name)) {
            std::fprintf(stderr, "render_icon: cannot write into %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
