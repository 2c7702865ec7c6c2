#pragma once
// Data pieces the point-of-sale screens share: the serial number of a consumption,
// the scratch tables that hold the one cart in progress, and the cart grid.

#include <QString>
#include <functional>

class DBGridEh;
class QLineEdit;

namespace db {
class Database;
}

// NewSerialNo for a consumption, moved on by whole seconds while a consumption
// already carries it: two consumptions in one second would otherwise share their
// goods lines, and deleting one would delete both.
QString NewCostID(db::Database &d);

// What the sale and the count consumption hand back to the desk.
struct DeskBooking {
    QString CardCode;
    double Balance = 0;
    std::function<void()> ReloadDeskHistory;
    bool Saved = false;
    QString LastCostID;

protected:
    // A consumption is stored: the desk's history lists it and the desk learns of it.
    void Booked(const QString &costId);
};

// A scratch table emptied once, when its screen closes or is destroyed.
class ScratchTable {
public:
    explicit ScratchTable(QString table) : m_table(std::move(table)) {}
    ~ScratchTable() { Empty(); }
    ScratchTable(const ScratchTable &) = delete;
    ScratchTable &operator=(const ScratchTable &) = delete;
    void Empty();

private:
    QString m_table;
    bool m_emptied = false;
};

// The lines of T_SaleGoodsTemp, the sale cart and the return list.
namespace SaleCart {
// Reopens the grid on the cart (empty on error), on its last line when asked.
void Show(DBGridEh *grid, bool toLast);
// Deletes the grid's current line and lowers the amount shown by its SumPrice;
// nothing happens without a current line.
void RemoveCurrent(DBGridEh *grid, QLineEdit *amount);
} // namespace SaleCart
