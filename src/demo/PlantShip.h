#pragma once
// A stand-in for the batching plant's shipping system, which shares the
// database with the office: for one day it ships the orders approved for
// shipping (v_okno 'OK') that are still open at the plant (v_state 'YES'),
// writing one cholha row per truck load and keeping the plant-side columns
// of r_suju as the plant does. Used by the demo office and to try the
// shipping windows without a plant.
#include <QString>
#include <QtGlobal>

struct PlantShipResult {
    int orders = 0;   // orders that received loads
    int loads = 0;    // cholha rows written, returned loads included
    int returned = 0; // of those, loads marked "회차"
    int closed = 0;   // orders shipped in full (v_state set to "마감")
};

namespace PlantShip {

// Text the plant writes into v_state when an order is shipped in full, and
// into cholha.o_return for a load that came back.
inline const QString Closed = QStringLiteral("마감");
inline const QString Returned = QStringLiteral("회차");

// Ships the day's open orders in one transaction. Loads go out from 07:00,
// each on the truck that is back first, up to the truck's capacity; a
// returned load does not count toward the order. Now and then an order stops
// short and stays open, and a later run of the same day carries on with it.
// The same date, seed and data give the same loads. Throws DbError.
PlantShipResult run(const QString& date, quint32 seed = 1);

} // namespace PlantShip
