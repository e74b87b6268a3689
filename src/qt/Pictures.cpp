#include "qt/Pictures.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace tablon {

namespace {

// Every picture is drawn in a box of 32 by 32 design units.
constexpr qreal kBox = 32;

struct Ink {
    QColor line;   // outlines of the line art
    QColor paper;  // sheets and faces of the line art
    bool selected = false;
    qreal lw = 1.5;  // line width in design units
};

QPainterPath Poly(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : points) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    path.closeSubpath();
    return path;
}

QPen LinePen(const QColor& c, qreal width) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A filled shape with an outline a shade darker than its fill (or in the highlight's text
// colour when selected).
void Shape(QPainter& p, const Ink& ink, const QPainterPath& path, const QColor& fill) {
    p.setPen(LinePen(ink.selected ? ink.line : fill.darker(165), ink.lw));
    p.setBrush(fill);
    p.drawPath(path);
}

void Shape(QPainter& p, const Ink& ink, const QRectF& r, const QColor& fill, qreal radius = 0) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    Shape(p, ink, path, fill);
}

void Ellipse(QPainter& p, const Ink& ink, QPointF c, qreal rx, qreal ry, const QColor& fill) {
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    Shape(p, ink, path, fill);
}

// Line art in the ink's colour.
void Line(QPainter& p, const Ink& ink, const QPainterPath& path, qreal width = 0) {
    p.setPen(LinePen(ink.line, width > 0 ? width : ink.lw));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Line(QPainter& p, const Ink& ink, QPointF a, QPointF b, qreal width = 0) {
    QPainterPath path(a);
    path.lineTo(b);
    Line(p, ink, path, width);
}

void Line(QPainter& p, const QColor& c, qreal width, QPointF a, QPointF b) {
    p.setPen(LinePen(c, width));
    p.drawLine(a, b);
}

// A sheet of paper with a folded corner and lines of text.
void Sheet(QPainter& p, const Ink& ink, const QRectF& r, bool lines = true) {
    const qreal fold = r.width() * 0.3;
    QPainterPath sheet = Poly({r.topLeft(),
                               {r.right() - fold, r.top()},
                               {r.right(), r.top() + fold},
                               r.bottomRight(),
                               r.bottomLeft()});
    p.setPen(LinePen(ink.line, ink.lw));
    p.setBrush(ink.paper);
    p.drawPath(sheet);
    QPainterPath corner({r.right() - fold, r.top()});
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    Line(p, ink, corner);
    if (!lines) return;
    const qreal x0 = r.left() + r.width() * 0.2, x1 = r.right() - r.width() * 0.2;
    for (qreal y = r.top() + fold + 3; y < r.bottom() - 2; y += 4)
        Line(p, ink, {x0, y}, {y == r.top() + fold + 3 ? x1 - 3 : x1, y}, ink.lw * 0.8);
}

// A round badge in a corner (add, delete, check ...).
void Badge(QPainter& p, const Ink& ink, QPointF c, qreal r, const QColor& fill) {
    p.setPen(LinePen(ink.selected ? ink.line : fill.darker(150), ink.lw * 0.8));
    p.setBrush(fill);
    p.drawEllipse(c, r, r);
}

const QColor kWhite(255, 255, 255);

// ---- the pictures ----

void Aircraft(QPainter& p, const Ink& ink) {
    Shape(p, ink,
          Poly({{16, 2},
                {18, 7.5},
                {18, 12.5},
                {29.5, 20},
                {29.5, 23},
                {18, 19.5},
                {17.6, 25},
                {22, 28},
                {22, 30},
                {16, 28.6},
                {10, 30},
                {10, 28},
                {14.4, 25},
                {14, 19.5},
                {2.5, 23},
                {2.5, 20},
                {14, 12.5},
                {14, 7.5}}),
          QColor(0x4f, 0x86, 0xc6));
}

void Bomber(QPainter& p, const Ink& ink) {
    const QColor fill(0x55, 0x6a, 0x86);
    for (qreal x : {7.5, 11.0, 21.0, 24.5}) Shape(p, ink, QRectF(x - 1.2, 13.5, 2.4, 6), fill, 1);
    Shape(p, ink,
          Poly({{16, 2.5},
                {17.6, 6},
                {17.6, 11.5},
                {31, 17.5},
                {31, 20},
                {17.6, 17.5},
                {17.2, 25},
                {22.5, 27.5},
                {22.5, 29.5},
                {16, 28.5},
                {9.5, 29.5},
                {9.5, 27.5},
                {14.8, 25},
                {14.4, 17.5},
                {1, 20},
                {1, 17.5},
                {14.4, 11.5},
                {14.4, 6}}),
          fill);
}

void Transport(QPainter& p, const Ink& ink) {
    const QColor fill(0x5b, 0x8f, 0x7a);
    QPainterPath body;
    body.moveTo(16, 2.5);
    body.cubicTo(18.6, 2.5, 19.2, 5.5, 19.2, 8);
    body.lineTo(19.2, 11.5);
    body.lineTo(30.5, 12.5);
    body.lineTo(30.5, 15.5);
    body.lineTo(19.2, 16.5);
    body.lineTo(18.6, 24.5);
    body.lineTo(23.5, 26.5);
    body.lineTo(23.5, 28.8);
    body.lineTo(16, 28);
    body.lineTo(8.5, 28.8);
    body.lineTo(8.5, 26.5);
    body.lineTo(13.4, 24.5);
    body.lineTo(12.8, 16.5);
    body.lineTo(1.5, 15.5);
    body.lineTo(1.5, 12.5);
    body.lineTo(12.8, 11.5);
    body.lineTo(12.8, 8);
    body.cubicTo(12.8, 5.5, 13.4, 2.5, 16, 2.5);
    Shape(p, ink, body, fill);
}

void AttackJet(QPainter& p, const Ink& ink) {
    Shape(p, ink,
          Poly({{16, 1.5},
                {18.2, 9},
                {29.5, 25.5},
                {18.6, 24.5},
                {18, 29.5},
                {14, 29.5},
                {13.4, 24.5},
                {2.5, 25.5},
                {13.8, 9}}),
          QColor(0x7a, 0x6f, 0xb8));
}

void Helicopter(QPainter& p, const Ink& ink) {
    const QColor fill(0x3f, 0x9b, 0x8f);
    // Tail boom and fin, body, skids, rotor.
    Shape(p, ink, Poly({{16, 14}, {28, 13.2}, {28, 15.6}, {16, 18.5}}), fill);
    Shape(p, ink, Poly({{26.5, 9.5}, {29, 9.5}, {29.5, 16.5}, {27, 16.5}}), fill);
    QPainterPath body;
    body.addEllipse(QRectF(3.5, 11, 16, 11.5));
    Shape(p, ink, body, fill);
    QPainterPath window;
    window.moveTo(5, 16);
    window.quadTo(5.5, 12.2, 10, 12.2);
    window.lineTo(10, 16);
    window.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ink.selected ? ink.line : QColor(0xcf, 0xe8, 0xf5));
    p.drawPath(window);
    const QColor dark = ink.selected ? ink.line : fill.darker(200);
    Line(p, dark, ink.lw, {11.5, 11}, {11.5, 7.5});
    Line(p, dark, ink.lw * 1.3, {1.5, 7.5}, {23, 7.5});
    Line(p, dark, ink.lw, {8, 22.5}, {7, 26.5});
    Line(p, dark, ink.lw, {15, 22.5}, {16, 26.5});
    Line(p, dark, ink.lw * 1.2, {3.5, 26.5}, {20, 26.5});
}

void LandVehicle(QPainter& p, const Ink& ink) {
    const QColor hull(0x7d, 0x8c, 0x3c), tracks(0x55, 0x5a, 0x48);
    Shape(p, ink, QRectF(2.5, 19, 27, 8.5), tracks, 4.2);
    p.setBrush(tracks.lighter(150));
    p.setPen(LinePen(ink.selected ? ink.line : tracks.darker(150), ink.lw * 0.7));
    for (qreal x : {7.0, 12.0, 17.0, 22.0, 26.0}) p.drawEllipse(QPointF(x, 23.2), 2, 2);
    Shape(p, ink, Poly({{3.5, 19}, {6, 14.5}, {26, 14.5}, {28.5, 19}}), hull);
    Shape(p, ink, QRectF(19, 10.8, 11.5, 2.4), hull, 1);
    Shape(p, ink, Poly({{9.5, 14.5}, {11.5, 9}, {20.5, 9}, {22.5, 14.5}}), hull);
}

void Waves(QPainter& p, const Ink& ink, qreal y) {
    QPainterPath w({2, y});
    for (qreal x = 2; x < 30; x += 7) {
        w.quadTo(x + 1.75, y - 1.6, x + 3.5, y);
        w.quadTo(x + 5.25, y + 1.6, x + 7, y);
    }
    p.setPen(LinePen(ink.selected ? ink.line : QColor(0x3a, 0x8f, 0xd0), ink.lw * 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(w);
}

void Ship(QPainter& p, const Ink& ink) {
    const QColor hull(0x66, 0x7a, 0x90), deck(0xb4, 0xc2, 0xd0);
    Line(p, ink.selected ? ink.line : hull.darker(170), ink.lw, {17, 3.5}, {17, 9});
    Shape(p, ink, QRectF(14, 8.5, 6, 5), deck);
    Shape(p, ink, QRectF(10, 13, 12, 6), deck);
    Shape(p, ink, QRectF(4.5, 16.5, 5, 2), hull, 0.8);
    Shape(p, ink, Poly({{1.5, 18.5}, {30.5, 18.5}, {27, 26}, {5.5, 26}}), hull);
    Waves(p, ink, 29);
}

void Carrier(QPainter& p, const Ink& ink) {
    const QColor hull(0x5f, 0x6b, 0x78), deck(0xb0, 0xb8, 0xc0);
    Line(p, ink.selected ? ink.line : hull.darker(170), ink.lw, {22, 5}, {22, 10});
    Shape(p, ink, QRectF(19.5, 9.5, 5, 7.5), deck);
    Shape(p, ink, Poly({{1, 17}, {31, 17}, {28, 25.5}, {5, 25.5}}), hull);
    Line(p, ink.selected ? ink.line : deck, ink.lw * 0.8, {4, 19.3}, {17, 19.3});
    Waves(p, ink, 29);
}

void CargoShip(QPainter& p, const Ink& ink) {
    const QColor hull(0x9a, 0x44, 0x3c), bridge(0xdd, 0xdd, 0xd5);
    const QColor boxes[] = {QColor(0xd9, 0x8c, 0x2b), QColor(0x3f, 0x8f, 0x5a),
                            QColor(0x3a, 0x74, 0xb8)};
    for (int i = 0; i < 3; ++i) Shape(p, ink, QRectF(4.5 + i * 5.5, 13, 5.5, 5.5), boxes[i]);
    Shape(p, ink, QRectF(22.5, 9, 5.5, 9.5), bridge);
    Shape(p, ink, Poly({{1.5, 18.5}, {30.5, 18.5}, {28, 26}, {4.5, 26}}), hull);
    Waves(p, ink, 29);
}

void Submarine(QPainter& p, const Ink& ink) {
    const QColor fill(0x3e, 0x5c, 0x6a);
    Line(p, ink.selected ? ink.line : fill.darker(160), ink.lw, {15.5, 4}, {15.5, 10});
    Line(p, ink.selected ? ink.line : fill.darker(160), ink.lw, {15.5, 4}, {18, 4});
    Shape(p, ink, Poly({{28, 14.5}, {31, 11.5}, {31, 25}, {28, 21.5}}), fill);
    QPainterPath sail;
    sail.moveTo(11.5, 16);
    sail.lineTo(12.5, 10.5);
    sail.quadTo(12.8, 9.5, 14, 9.5);
    sail.lineTo(18.5, 9.5);
    sail.lineTo(19.5, 16);
    sail.closeSubpath();
    Shape(p, ink, sail, fill);
    Shape(p, ink, QRectF(1.5, 14.5, 28, 9), fill, 4.5);
    Waves(p, ink, 28.5);
}

void OtherObject(QPainter& p, const Ink& ink) {
    const QColor fill(0x8e, 0x8e, 0x96);
    Shape(p, ink, Poly({{16, 3}, {29, 16}, {16, 29}, {3, 16}}), fill);
    Shape(p, ink, Poly({{16, 10}, {22, 16}, {16, 22}, {10, 16}}), fill.lighter(135));
}

void Database(QPainter& p, const Ink& ink) {
    const QColor fill(0xd8, 0xa1, 0x3b);
    QPainterPath body;
    body.moveTo(5, 8);
    body.lineTo(5, 24);
    body.arcTo(QRectF(5, 20.5, 22, 7), 180, 180);
    body.lineTo(27, 8);
    body.closeSubpath();
    Shape(p, ink, body, fill);
    const QColor band = ink.selected ? ink.line : fill.darker(165);
    p.setPen(LinePen(band, ink.lw));
    p.setBrush(Qt::NoBrush);
    for (qreal y : {10.0, 15.5}) p.drawArc(QRectF(5, y, 22, 7), 180 * 16, 180 * 16);
    Ellipse(p, ink, {16, 8}, 11, 3.5, fill.lighter(125));
}

void Infrared(QPainter& p, const Ink& ink) {
    QRadialGradient heat(QPointF(16, 16), 13);
    heat.setColorAt(0, QColor(0xff, 0xf1, 0x9a));
    heat.setColorAt(0.45, QColor(0xff, 0xa0, 0x30));
    heat.setColorAt(1, QColor(0xc8, 0x2a, 0x2a));
    p.setPen(LinePen(ink.selected ? ink.line : QColor(0x9a, 0x1f, 0x1f), ink.lw));
    p.setBrush(heat);
    p.drawEllipse(QPointF(16, 16), 12.5, 12.5);
    p.setPen(LinePen(ink.selected ? ink.line : QColor(0x9a, 0x1f, 0x1f), ink.lw * 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 7.5, 7.5);
}

void Eye(QPainter& p, const Ink& ink) {
    QPainterPath almond;
    almond.moveTo(2, 16);
    almond.quadTo(16, 3, 30, 16);
    almond.quadTo(16, 29, 2, 16);
    Shape(p, ink, almond, QColor(0xee, 0xf2, 0xf6));
    Ellipse(p, ink, {16, 16}, 6, 6, QColor(0x3d, 0x7a, 0xb8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1c, 0x24, 0x2c));
    p.drawEllipse(QPointF(16, 16), 2.6, 2.6);
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(14.3, 14.3), 1.1, 1.1);
}

void Radar(QPainter& p, const Ink& ink) {
    const QColor fill(0x6c, 0x8f, 0xb0);
    const QColor dark = ink.selected ? ink.line : fill.darker(170);
    Line(p, dark, ink.lw * 1.2, {12.5, 19}, {9.5, 29});
    Line(p, dark, ink.lw * 1.2, {5, 29.5}, {16, 29.5});
    QPainterPath dish;
    dish.moveTo(3, 6);
    dish.quadTo(3.5, 24, 21.5, 24.5);
    dish.closeSubpath();
    Shape(p, ink, dish, fill);
    Line(p, dark, ink.lw, {10, 16}, {16, 10});
    p.setBrush(dark);
    p.drawEllipse(QPointF(16, 10), 1.4, 1.4);
    p.setPen(LinePen(ink.selected ? ink.line : QColor(0x3a, 0x9a, 0x5a), ink.lw));
    p.setBrush(Qt::NoBrush);
    for (qreal r : {5.0, 9.0}) p.drawArc(QRectF(16 - r, 10 - r, 2 * r, 2 * r), 10 * 16, 70 * 16);
}

void Objective(QPainter& p, const Ink& ink) {
    QPainterPath hill;
    hill.moveTo(2, 29);
    hill.quadTo(10, 21, 18, 23);
    hill.quadTo(25, 24.5, 30, 29);
    hill.closeSubpath();
    Shape(p, ink, hill, QColor(0x6f, 0xa0, 0x4a));
    Line(p, ink.selected ? ink.line : QColor(0x55, 0x4a, 0x40), ink.lw * 1.2, {11, 23}, {11, 3.5});
    QPainterPath flag;
    flag.moveTo(11, 4);
    flag.quadTo(17, 2, 20, 5.5);
    flag.quadTo(24, 8.5, 28, 7);
    flag.lineTo(28, 15);
    flag.quadTo(24, 16.5, 20, 13.5);
    flag.quadTo(17, 10, 11, 12);
    flag.closeSubpath();
    Shape(p, ink, flag, QColor(0xd2, 0x45, 0x38));
}

void Crate(QPainter& p, const Ink& ink) {
    const QColor wood(0xc0, 0x8e, 0x4e);
    Shape(p, ink, Poly({{4, 10}, {10, 4}, {28, 4}, {22, 10}}), wood.lighter(120));
    Shape(p, ink, Poly({{22, 10}, {28, 4}, {28, 22}, {22, 28}}), wood.darker(120));
    Shape(p, ink, QRectF(4, 10, 18, 18), wood);
    const QColor plank = ink.selected ? ink.line : wood.darker(160);
    Line(p, plank, ink.lw * 0.8, {4, 16}, {22, 16});
    Line(p, plank, ink.lw * 0.8, {4, 22}, {22, 22});
    Line(p, plank, ink.lw * 0.8, {5, 11}, {21, 27});
}

void MapPin(QPainter& p, const Ink& ink) {
    QPainterPath pin;
    pin.moveTo(16, 30);
    pin.cubicTo(10, 21.5, 6.5, 17.5, 6.5, 12);
    pin.arcTo(QRectF(6.5, 2.5, 19, 19), 180, -180);
    pin.cubicTo(25.5, 17.5, 22, 21.5, 16, 30);
    Shape(p, ink, pin, QColor(0xd9, 0x46, 0x3b));
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(16, 12), 3.8, 3.8);
}

void Missile(QPainter& p, const Ink& ink) {
    p.save();
    p.translate(16, 16);
    p.rotate(-45);
    const QColor body(0xa7, 0xb0, 0xba), fins(0x5c, 0x6a, 0x78);
    Shape(p, ink, Poly({{-13, -2.4}, {-9, -6.5}, {-7, -6.5}, {-8.5, -2.4}}), fins);
    Shape(p, ink, Poly({{-13, 2.4}, {-9, 6.5}, {-7, 6.5}, {-8.5, 2.4}}), fins);
    Shape(p, ink, QRectF(-14, -2.4, 23, 4.8), body, 1);
    Shape(p, ink, Poly({{8.5, -2.4}, {14.5, 0}, {8.5, 2.4}}), QColor(0xd0, 0x45, 0x3a));
    p.restore();
}

void Pylon(QPainter& p, const Ink& ink) {
    const QColor wing(0x8a, 0x97, 0xa6), bomb(0x66, 0x74, 0x3e);
    Shape(p, ink, QRectF(1.5, 3.5, 29, 4.5), wing, 1.5);
    Shape(p, ink, Poly({{13.5, 8}, {18.5, 8}, {17.5, 13}, {14.5, 13}}), wing.darker(115));
    Shape(p, ink, Poly({{25, 15}, {29.5, 12}, {29.5, 22}, {25, 19}}), bomb.darker(115));
    QPainterPath b;
    b.addRoundedRect(QRectF(5, 13, 21, 8), 4, 4);
    Shape(p, ink, b, bomb);
    Line(p, ink.selected ? ink.line : bomb.lighter(150), ink.lw * 0.7, {9, 17}, {19, 17});
}

void Speaker(QPainter& p, const Ink& ink) {
    const QColor fill(0x5a, 0x7f, 0xa8);
    Shape(p, ink, Poly({{3, 12}, {9, 12}, {17, 5}, {17, 27}, {9, 20}, {3, 20}}), fill);
    p.setPen(LinePen(ink.selected ? ink.line : fill, ink.lw * 1.2));
    p.setBrush(Qt::NoBrush);
    for (qreal r : {5.0, 9.5}) p.drawArc(QRectF(17 - r, 16 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
}

void Rocket(QPainter& p, const Ink& ink) {
    const QColor body(0xd4, 0xd8, 0xde), fins(0xc9, 0x3c, 0x33);
    QPainterPath flame;
    flame.moveTo(13, 24);
    flame.quadTo(16, 33, 19, 24);
    flame.closeSubpath();
    Shape(p, ink, flame, QColor(0xf5, 0xa6, 0x23));
    Shape(p, ink, Poly({{11.5, 17}, {6, 25.5}, {11.5, 24}}), fins);
    Shape(p, ink, Poly({{20.5, 17}, {26, 25.5}, {20.5, 24}}), fins);
    QPainterPath hull;
    hull.moveTo(16, 1.5);
    hull.cubicTo(20, 5.5, 20.8, 11, 20.8, 17);
    hull.lineTo(20.8, 24.5);
    hull.lineTo(11.2, 24.5);
    hull.lineTo(11.2, 17);
    hull.cubicTo(11.2, 11, 12, 5.5, 16, 1.5);
    Shape(p, ink, hull, body);
    Ellipse(p, ink, {16, 12}, 2.4, 2.4, QColor(0x3d, 0x7a, 0xb8));
}

void Envelope(QPainter& p, const Ink& ink) {
    const QColor paper(0xf1, 0xe7, 0xcf);
    Shape(p, ink, QRectF(2.5, 8, 25, 17.5), paper, 1.5);
    QPainterPath flap({2.5, 8});
    flap.lineTo(15, 18);
    flap.lineTo(27.5, 8);
    p.setPen(LinePen(ink.selected ? ink.line : paper.darker(165), ink.lw));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
    Badge(p, ink, {25, 9}, 5.5, QColor(0xd9, 0x46, 0x3b));
    Line(p, kWhite, ink.lw * 1.1, {25, 6.2}, {25, 9.8});
    Line(p, kWhite, ink.lw * 1.1, {25, 12}, {25, 12.1});
}

void Cube(QPainter& p, const Ink& ink, const QColor& fill, QPointF o, qreal s) {
    auto at = [&](qreal x, qreal y) { return QPointF(o.x() + x * s, o.y() + y * s); };
    Shape(p, ink, Poly({at(0, -12), at(12, -6), at(0, 0), at(-12, -6)}), fill.lighter(130));
    Shape(p, ink, Poly({at(-12, -6), at(0, 0), at(0, 14), at(-12, 8)}), fill);
    Shape(p, ink, Poly({at(0, 0), at(12, -6), at(12, 8), at(0, 14)}), fill.darker(125));
}

void ModelTree(QPainter& p, const Ink& ink) {
    const QColor fill(0x5e, 0x9c, 0x5a);
    const QColor link = ink.selected ? ink.line : fill.darker(170);
    Line(p, link, ink.lw, {16, 12}, {16, 16});
    Line(p, link, ink.lw, {8, 16}, {24, 16});
    Line(p, link, ink.lw, {8, 16}, {8, 19});
    Line(p, link, ink.lw, {24, 16}, {24, 19});
    Cube(p, ink, fill, {16, 7.5}, 0.45);
    Cube(p, ink, QColor(0x4f, 0x86, 0xc6), {8, 24}, 0.42);
    Cube(p, ink, QColor(0x4f, 0x86, 0xc6), {24, 24}, 0.42);
}

void Mesh(QPainter& p, const Ink& ink) {
    const QColor fill(0x9f, 0xd3, 0xa8), edge(0x2f, 0x8a, 0x4a);
    const QPointF a(16, 3), b(29.5, 27.5), c(2.5, 27.5);
    const QPointF ab = (a + b) / 2, bc = (b + c) / 2, ca = (c + a) / 2;
    p.setPen(LinePen(ink.selected ? ink.line : edge, ink.lw));
    p.setBrush(fill);
    p.drawPath(Poly({a, b, c}));
    p.setBrush(fill.darker(115));
    p.drawPath(Poly({ab, bc, ca}));
    p.setBrush(edge);
    p.setPen(Qt::NoPen);
    for (const QPointF& v : {a, b, c, ab, bc, ca}) p.drawEllipse(v, 1.6, 1.6);
}

void Checkerboard(QPainter& p, const Ink& ink) {
    const QColor light(0xd5, 0xdc, 0xe6), dark(0x5a, 0x6f, 0x8c);
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            p.setBrush((r + c) % 2 ? dark : light);
            p.drawRect(QRectF(4 + c * 6, 4 + r * 6, 6, 6));
        }
    p.setPen(LinePen(ink.selected ? ink.line : dark.darker(140), ink.lw));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 4, 24, 24));
}

void Palette(QPainter& p, const Ink& ink) {
    QPainterPath board;
    board.addEllipse(QRectF(2, 5, 28, 22));
    QPainterPath hole;
    hole.addEllipse(QPointF(10, 20), 3, 3);
    Shape(p, ink, board.subtracted(hole), QColor(0xe2, 0xca, 0xa2));
    const QColor dots[] = {QColor(0xd9, 0x46, 0x3b), QColor(0xf2, 0xc1, 0x2e),
                           QColor(0x3f, 0x9b, 0x5a), QColor(0x3a, 0x74, 0xb8)};
    const QPointF at[] = {{9, 11.5}, {16, 9.5}, {23, 12}, {23, 19.5}};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(dots[i]);
        p.drawEllipse(at[i], 2.8, 2.8);
    }
}

void RecordSheet(QPainter& p, const Ink& ink) {
    Sheet(p, ink, QRectF(6.5, 2.5, 19, 27));
}

// ---- toolbar pictures ----

void PlusBadge(QPainter& p, const Ink& ink, QPointF c) {
    Badge(p, ink, c, 6.5, QColor(0x3f, 0x9b, 0x5a));
    Line(p, kWhite, ink.lw * 1.3, {c.x() - 3.3, c.y()}, {c.x() + 3.3, c.y()});
    Line(p, kWhite, ink.lw * 1.3, {c.x(), c.y() - 3.3}, {c.x(), c.y() + 3.3});
}

void ShowItem(QPainter& p, const Ink& ink) {
    Sheet(p, ink, QRectF(4, 2.5, 18, 24));
    p.setPen(LinePen(ink.line, ink.lw * 1.4));
    p.setBrush(ink.paper);
    p.drawEllipse(QPointF(20, 19), 5.5, 5.5);
    Line(p, ink, {24, 23}, {29, 28.5}, ink.lw * 2.2);
}

void AddItem(QPainter& p, const Ink& ink) {
    Sheet(p, ink, QRectF(4, 2.5, 18, 24));
    PlusBadge(p, ink, {23, 23});
}

void AddCopy(QPainter& p, const Ink& ink) {
    Sheet(p, ink, QRectF(2.5, 1.5, 15, 20), false);
    Sheet(p, ink, QRectF(8.5, 6.5, 15, 20));
    PlusBadge(p, ink, {24, 24});
}

void DeleteItem(QPainter& p, const Ink& ink) {
    Sheet(p, ink, QRectF(4, 2.5, 18, 24));
    const QPointF c(23, 23);
    Badge(p, ink, c, 6.5, QColor(0xd2, 0x3f, 0x31));
    Line(p, kWhite, ink.lw * 1.3, c + QPointF(-2.6, -2.6), c + QPointF(2.6, 2.6));
    Line(p, kWhite, ink.lw * 1.3, c + QPointF(2.6, -2.6), c + QPointF(-2.6, 2.6));
}

void ExportItem(QPainter& p, const Ink& ink) {
    Sheet(p, ink, QRectF(3, 2.5, 18, 24));
    const QColor arrow = ink.selected ? ink.line : QColor(0x2f, 0x7f, 0xd0);
    QPainterPath a({14, 21});
    a.lineTo(29, 21);
    Line(p, arrow, ink.lw * 2, {14, 21}, {28, 21});
    p.setPen(LinePen(arrow, ink.lw * 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath head({23.5, 16.5});
    head.lineTo(28.5, 21);
    head.lineTo(23.5, 25.5);
    p.drawPath(head);
}

void Tile(QPainter& p, const Ink& ink, const QRectF& r) {
    p.setPen(LinePen(ink.line, ink.lw));
    p.setBrush(ink.paper);
    p.drawRoundedRect(r, 1.5, 1.5);
}

void LargeIcons(QPainter& p, const Ink& ink) {
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) Tile(p, ink, QRectF(3.5 + c * 14, 3.5 + r * 14, 11, 11));
}

// Small icons side by side in rows.
void SmallIcons(QPainter& p, const Ink& ink) {
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            const qreal x = 2.5 + c * 14.5, y = 7 + r * 12;
            Tile(p, ink, QRectF(x, y, 6.5, 6.5));
            Line(p, ink, {x + 9, y + 3.25}, {x + 12.5, y + 3.25});
        }
}

// One column of small icons with their names.
void ListMode(QPainter& p, const Ink& ink) {
    for (int r = 0; r < 4; ++r) {
        const qreal y = 3.5 + r * 7;
        Tile(p, ink, QRectF(4, y, 4.5, 4.5));
        Line(p, ink, {11.5, y + 2.25}, {r % 2 ? 24.0 : 28.0, y + 2.25});
    }
}

void DetailMode(QPainter& p, const Ink& ink) {
    p.setPen(LinePen(ink.line, ink.lw));
    p.setBrush(ink.paper);
    p.drawRect(QRectF(3, 4, 26, 24));
    p.setBrush(ink.line);
    p.drawRect(QRectF(3, 4, 26, 5));
    for (qreal y : {14.0, 19.0, 24.0}) Line(p, ink, {3, y}, {29, y}, ink.lw * 0.7);
    Line(p, ink, {12, 4}, {12, 28}, ink.lw * 0.7);
}

void Check(QPainter& p, const Ink& ink) {
    Database(p, ink);
    const QPointF c(23, 23);
    Badge(p, ink, c, 7, QColor(0x3f, 0x9b, 0x5a));
    QPainterPath tick({c.x() - 3.6, c.y()});
    tick.lineTo(c.x() - 1, c.y() + 2.8);
    tick.lineTo(c.x() + 3.8, c.y() - 2.6);
    p.setPen(LinePen(kWhite, ink.lw * 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void TextIn(QPainter& p, const QRectF& r, const QString& text, const QColor& c) {
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(std::lround(r.height() * 0.75)));
    f.setFamily(QStringLiteral("Serif"));
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void About(QPainter& p, const Ink& ink) {
    const QColor fill(0x2f, 0x7f, 0xd0);
    Badge(p, ink, {16, 16}, 13, fill);
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
    p.drawRoundedRect(QRectF(14, 13.5, 4, 11.5), 1, 1);
}

void ContextHelp(QPainter& p, const Ink& ink) {
    QPainterPath arrow =
        Poly({{3, 2}, {3, 21}, {7.5, 16.5}, {11, 24}, {14, 22.7}, {10.6, 15.4}, {16.5, 15.4}});
    p.setPen(LinePen(ink.line, ink.lw));
    p.setBrush(ink.paper);
    p.drawPath(arrow);
    Badge(p, ink, {23, 22}, 7.5, QColor(0x2f, 0x7f, 0xd0));
    p.save();
    TextIn(p, QRectF(16, 15, 14, 14), QStringLiteral("?"), kWhite);
    p.restore();
}

// A round button with a white arrow pointing left (back) or right (forward).
void Arrow(QPainter& p, const Ink& ink, bool forward) {
    Badge(p, ink, {16, 16}, 13, QColor(0x2f, 0x9a, 0x5a));
    p.save();
    if (forward) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawPath(
        Poly({{7, 16}, {15, 8}, {15, 12.5}, {24.5, 12.5}, {24.5, 19.5}, {15, 19.5}, {15, 24}}));
    p.restore();
}

// A blue arrow turning back to the left (undo) or on to the right (redo).
void TurnArrow(QPainter& p, const Ink& ink, bool redo) {
    const QColor fill(0x2f, 0x7f, 0xd0);
    p.save();
    if (redo) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(10, 12.5);
    arc.cubicTo(16, 7, 27, 8.5, 27, 17);
    arc.cubicTo(27, 23, 22, 26.5, 15, 26.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink.line, 7, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(arc);
    p.setPen(QPen(fill, 4.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(arc);
    p.setPen(LinePen(ink.line, ink.lw));
    p.setBrush(fill);
    p.drawPath(Poly({{2.5, 15}, {12, 4.5}, {14.5, 18.5}}));
    p.restore();
}

void Draw(QPainter& p, Picture picture, const Ink& ink) {
    switch (picture) {
        case Picture::Record:
            return RecordSheet(p, ink);
        case Picture::Database:
            return Database(p, ink);
        case Picture::Aircraft:
            return Aircraft(p, ink);
        case Picture::LandVehicle:
            return LandVehicle(p, ink);
        case Picture::Ship:
            return Ship(p, ink);
        case Picture::Submarine:
            return Submarine(p, ink);
        case Picture::OtherObject:
            return OtherObject(p, ink);
        case Picture::Helicopter:
            return Helicopter(p, ink);
        case Picture::Bomber:
            return Bomber(p, ink);
        case Picture::Transport:
            return Transport(p, ink);
        case Picture::AttackJet:
            return AttackJet(p, ink);
        case Picture::Carrier:
            return Carrier(p, ink);
        case Picture::CargoShip:
            return CargoShip(p, ink);
        case Picture::Infrared:
            return Infrared(p, ink);
        case Picture::Eye:
            return Eye(p, ink);
        case Picture::Radar:
            return Radar(p, ink);
        case Picture::Objective:
            return Objective(p, ink);
        case Picture::Crate:
            return Crate(p, ink);
        case Picture::MapPin:
            return MapPin(p, ink);
        case Picture::Missile:
            return Missile(p, ink);
        case Picture::Pylon:
            return Pylon(p, ink);
        case Picture::Speaker:
            return Speaker(p, ink);
        case Picture::Rocket:
            return Rocket(p, ink);
        case Picture::Envelope:
            return Envelope(p, ink);
        case Picture::ModelTree:
            return ModelTree(p, ink);
        case Picture::Cube:
            return Cube(p, ink, QColor(0x3f, 0x9b, 0x8f), {16, 15}, 1.05);
        case Picture::Mesh:
            return Mesh(p, ink);
        case Picture::Checkerboard:
            return Checkerboard(p, ink);
        case Picture::Palette:
            return Palette(p, ink);
        case Picture::ShowItem:
            return ShowItem(p, ink);
        case Picture::AddItem:
            return AddItem(p, ink);
        case Picture::AddCopy:
            return AddCopy(p, ink);
        case Picture::DeleteItem:
            return DeleteItem(p, ink);
        case Picture::ExportItem:
            return ExportItem(p, ink);
        case Picture::LargeIcons:
            return LargeIcons(p, ink);
        case Picture::SmallIcons:
            return SmallIcons(p, ink);
        case Picture::ListMode:
            return ListMode(p, ink);
        case Picture::DetailMode:
            return DetailMode(p, ink);
        case Picture::Check:
            return Check(p, ink);
        case Picture::About:
            return About(p, ink);
        case Picture::ContextHelp:
            return ContextHelp(p, ink);
        case Picture::Back:
            return Arrow(p, ink, false);
        case Picture::Forward:
            return Arrow(p, ink, true);
        case Picture::Undo:
            return TurnArrow(p, ink, false);
        case Picture::Redo:
            return TurnArrow(p, ink, true);
    }
}

// Greys a rendered picture out for the disabled mode.
void Disable(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            const int grey = qGray(c);
            line[x] = qRgba(grey, grey, grey, qAlpha(c) * 2 / 5);
        }
    }
}

// Renders the pictures of an icon: one picture for the normal mode, another for the selected
// mode, and for lists a second set for sizes of 24 pixels and more.
class PictureEngine : public QIconEngine {
  public:
    PictureEngine(ImageRef normal, ImageRef selected, ImageRef largeNormal, ImageRef largeSelected)
        : normal_(normal),
          selected_(selected),
          largeNormal_(largeNormal),
          largeSelected_(largeSelected) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = scaledPixmap(rect.size() * dpr, mode, state, dpr);
        pm.setDevicePixelRatio(dpr);
        painter->drawPixmap(rect.topLeft(), pm);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // size is in device pixels.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/,
                         qreal /*scale*/) override {
        const int side = std::min(size.width(), size.height());
        if (side <= 0) return {};
        const bool large = side >= 24;
        ImageRef image = mode == QIcon::Selected ? (large ? largeSelected_ : selected_)
                                                 : (large ? largeNormal_ : normal_);
        const QPalette pal = QGuiApplication::palette();
        const QColor line =
            image.selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::WindowText);
        const QString key = QStringLiteral("tablon-picture-%1-%2-%3-%4-%5-%6")
                                .arg(int(image.picture))
                                .arg(image.selected)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(int(mode))
                                .arg(line.rgba() ^ pal.color(QPalette::Base).rgba(), 0, 16);
        QPixmap cached;
        if (QPixmapCache::find(key, &cached)) return cached;
        QImage img(size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            DrawPicture(
                p, QRectF((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side),
                image.picture, image.selected);
        }
        if (mode == QIcon::Disabled) {
            img = img.convertToFormat(QImage::Format_ARGB32);
            Disable(img);
        }
        QPixmap pm = QPixmap::fromImage(std::move(img));
        QPixmapCache::insert(key, pm);
        return pm;
    }

    QIconEngine* clone() const override {
        return new PictureEngine(normal_, selected_, largeNormal_, largeSelected_);
    }
    QString key() const override { return QStringLiteral("tablon-picture"); }

  private:
    ImageRef normal_, selected_, largeNormal_, largeSelected_;
};

}  // namespace

void DrawPicture(QPainter& painter, const QRectF& rect, Picture picture, bool selected) {
    const QPalette pal = QGuiApplication::palette();
    Ink ink;
    ink.selected = selected;
    ink.line = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::WindowText);
    ink.paper = selected ? pal.color(QPalette::Highlight).lighter(125) : pal.color(QPalette::Base);
    // About one device pixel at 16 pixels, growing slowly with the size.
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const qreal devicePixels = std::max<qreal>(1, rect.width() * dpr);
    ink.lw = kBox / devicePixels * std::max<qreal>(1.0, devicePixels / 22.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / kBox, rect.height() / kBox);
    if (selected) {
        // The selected form lies on a tile of the selection colour, so that it reads as
        // selected on any background.
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.color(QPalette::Highlight));
        painter.drawRoundedRect(QRectF(0, 0, kBox, kBox), 5, 5);
    }
    Draw(painter, picture, ink);
    painter.restore();
}

QIcon ImageIcon(ImageRef normal, ImageRef selected) {
    return QIcon(new PictureEngine(normal, selected, normal, selected));
}

QIcon PictureIcon(Picture picture) {
    return ImageIcon({picture, false}, {picture, true});
}

QIcon ListIcon(Picture small, Picture large) {
    return QIcon(new PictureEngine({small, false}, {small, true}, {large, false}, {large, true}));
}

QIcon AppIcon() {
    static const QIcon icon = [] {
        QIcon out;
        for (int side : {16, 24, 32, 48, 64, 128, 256}) {
            QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            QLinearGradient sky(0, 0, 0, side);
            sky.setColorAt(0, QColor(0x3a, 0x8e, 0xe6));
            sky.setColorAt(1, QColor(0x1d, 0x4f, 0x9c));
            p.setPen(Qt::NoPen);
            p.setBrush(sky);
            p.drawRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), side * 0.2, side * 0.2);
            p.translate(side * 0.1, side * 0.1);
            p.scale(side * 0.8 / kBox, side * 0.8 / kBox);
            Ink ink;
            ink.selected = true;
            ink.line = QColor(0x15, 0x3a, 0x75);
            ink.lw = 0.8;
            Shape(p, ink,
                  Poly({{16, 1},
                        {18.2, 7.5},
                        {18.2, 12.5},
                        {31, 20.5},
                        {31, 23.5},
                        {18.2, 19.5},
                        {17.7, 25},
                        {22.5, 28.5},
                        {22.5, 30.5},
                        {16, 29},
                        {9.5, 30.5},
                        {9.5, 28.5},
                        {14.3, 25},
                        {13.8, 19.5},
                        {1, 23.5},
                        {1, 20.5},
                        {13.8, 12.5},
                        {13.8, 7.5}}),
                  QColor(0xf4, 0xf7, 0xfb));
            p.end();
            out.addPixmap(QPixmap::fromImage(img));
        }
        return out;
    }();
    return icon;
}

}  // namespace tablon
