#include "demo/PlantShip.h"
#include "data/Routines.h"
#include "data/Sql.h"

#include <QDate>
#include <QList>
#include <QRandomGenerator>
#include <QTime>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kDayStart = 7 * 60;  // first loads leave at 07:00
constexpr int kDayEnd = 21 * 60;   // nothing leaves after 21:00

struct Truck {
    QString code;
    double capacity = 0;
    int freeAt = 0; // minutes after midnight
};

struct OpenOrder {
    QString seq;
    double quantity = 0;
    double shipped = 0; // non-returned loads so far
    int loads = 0;      // every load so far, returned ones too
    int dist = 0;
    int nextAt = 0;
    QString firstTime;  // v_ftime as stored ("00:00" before the first load)
    QString lastTime;
    double stopAt = -1; // stop short once this much is shipped (never when negative)
    bool finished = false;
    bool touched = false;
};

int minutesOf(const QString& hhmm, int fallback)
{
    const QTime t = QTime::fromString(hhmm.left(5), QStringLiteral("HH:mm"));
    return t.isValid() ? t.hour() * 60 + t.minute() : fallback;
}

QString clockText(int minutes, int seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

double centimetres(double m3) { return std::round(m3 * 100) / 100; }

} // namespace

namespace PlantShip {

PlantShipResult run(const QString& date, quint32 seed)
{
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        throw DbError(QStringLiteral("날짜가 올바르지 않습니다: %1").arg(date));
    QRandomGenerator rng(seed * 2654435761u ^ quint32(day.toJulianDay()));
    PlantShipResult result;

    Transaction tx;
    const Rows truckRows = Sql::select(QStringLiteral("select code, m3 from car_code where m3 > 0 order by code"));
    QList<Truck> trucks;
    double biggestLoad = 0;
    for (int i = 0; i < truckRows.size(); ++i) {
        trucks << Truck{truckRows.text(i, "code"), truckRows.number(i, "m3"), kDayStart + int(rng.bounded(40))};
        biggestLoad = std::max(biggestLoad, trucks.last().capacity);
    }

    const Rows orderRows = Sql::select(
        QStringLiteral("select seq, order_m3, time_, dist, v_ftime from r_suju"
                       " where ilja = ? and v_okno = 'OK' and v_state = 'YES' order by seq"),
        {date});
    QList<OpenOrder> orders;
    for (int i = 0; i < orderRows.size(); ++i) {
        OpenOrder o;
        o.seq = orderRows.text(i, "seq");
        o.quantity = orderRows.number(i, "order_m3");
        o.dist = int(orderRows.number(i, "dist"));
        o.firstTime = orderRows.text(i, "v_ftime");
        o.nextAt = std::max(kDayStart, minutesOf(orderRows.text(i, "time_"), kDayStart));
        // A run earlier in the day may have shipped part of the order already.
        const Rows before = Sql::select(
            QStringLiteral("select count(*) as n, max(o_otime) as last_time,"
                           " sum(case when coalesce(o_return, '') = ? then 0 else o_outorder end) as shipped"
                           " from cholha where o_fdate = ? and o_scode = ?"),
            {Returned, date, o.seq});
        o.loads = before.value(0, "n").toInt();
        o.shipped = before.number(0, "shipped");
        if (o.loads > 0) {
            o.lastTime = before.text(0, "last_time").left(5);
            o.nextAt = std::max(o.nextAt, minutesOf(o.lastTime, kDayStart) + 15);
        }
        if (centimetres(o.quantity - o.shipped) < 0.01)
            continue;
        if (rng.bounded(12) == 0 && o.quantity - o.shipped > 2 * biggestLoad)
            o.stopAt = o.shipped + (o.quantity - o.shipped) * (40 + rng.bounded(45)) / 100.0;
        orders << o;
    }
    if (orders.isEmpty()) {
        tx.commit();
        return result;
    }

    if (trucks.isEmpty())
        throw DbError(QStringLiteral("출하할 차량이 없습니다: 차량 코드(car_code)에 적재량이 있는 차량을 등록하십시오."));

    // Ticket numbers run through the day: yyMMdd followed by four digits.
    int ticket = Sql::scalar(QStringLiteral("select count(*) from cholha where o_date = ?"), {date}).toInt();
    const QString ticketPrefix = day.toString(QStringLiteral("yyMMdd"));

    for (;;) {
        // The order whose next truck is due first, then the truck back first.
        OpenOrder* order = nullptr;
        for (OpenOrder& o : orders)
            if (!o.finished && (!order || o.nextAt < order->nextAt))
                order = &o;
        if (!order)
            break;
        Truck* truck = &trucks.first();
        for (Truck& t : trucks)
            if (t.freeAt < truck->freeAt)
                truck = &t;
        const int departure = std::max(order->nextAt, truck->freeAt);
        if (departure > kDayEnd) {
            order->finished = true; // the rest waits for another day
            continue;
        }
        const double quantity = std::min(truck->capacity, centimetres(order->quantity - order->shipped));
        const bool returned = rng.bounded(30) == 0;
        const QString time = clockText(departure, int(rng.bounded(60)));
        ++ticket;
        ++order->loads;
        Sql::exec(QStringLiteral("insert into cholha (o_fdate, o_scode, o_date, o_otime, o_count, o_carnum, o_ccode,"
                                 " o_hogi, o_outorder, o_return) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {date, order->seq, date, time, PadDigits(QString::number(order->loads), 3), truck->code,
                   ticketPrefix + PadDigits(QString::number(ticket), 4), QString::number(1 + rng.bounded(2)),
                   quantity, returned ? Returned : QString()});
        ++result.loads;
        if (returned)
            ++result.returned;
        else
            order->shipped += quantity;
        if (!order->touched && (order->firstTime.isEmpty() || order->firstTime == QLatin1String("00:00")))
            order->firstTime = time.left(5);
        order->touched = true;
        order->lastTime = time.left(5);
        order->nextAt = departure + 8 + int(rng.bounded(15));
        truck->freeAt = departure + 40 + 4 * order->dist + int(rng.bounded(20)) + (returned ? 30 : 0);
        if (centimetres(order->quantity - order->shipped) < 0.01
            || (order->stopAt >= 0 && order->shipped >= order->stopAt))
            order->finished = true;
    }

    for (const OpenOrder& o : orders) {
        if (!o.touched)
            continue;
        ++result.orders;
        // The shipped quantity is the sum the loads themselves give.
        const double shipped = Sql::scalar(
            QStringLiteral("select coalesce(sum(o_outorder), 0) from cholha"
                           " where o_fdate = ? and o_scode = ? and coalesce(o_return, '') <> ?"),
            {date, o.seq, Returned}).toDouble();
        const bool complete = centimetres(o.quantity - shipped) < 0.01;
        if (complete)
            ++result.closed;
        Sql::exec(QStringLiteral("update r_suju set v_outorder = ?, v_reorder = ?, v_ftime = ?, v_ltime = ?,"
                                 " v_ccount = ?, v_state = ? where ilja = ? and seq = ?"),
                  {shipped, std::max(0.0, centimetres(o.quantity - shipped)), o.firstTime, o.lastTime, o.loads,
                   complete ? Closed : QStringLiteral("YES"), date, o.seq});
    }
    tx.commit();
    return result;
}

} // namespace PlantShip
