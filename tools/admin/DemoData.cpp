#include "DemoData.h"

#include "AdminCommands.h"
#include "platform/text/Pinyin.h"

#include "platform/db/Database.h"

#include <sqlcipher/sqlite3.h>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace admin {

namespace {

// ---- randomness and time ------------------------------------------------------------

// splitmix64: fast, and the same sequence on every platform.
class Rng {
public:
    explicit Rng(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    qint64 below(qint64 n) { return n <= 0 ? 0 : qint64(next() % quint64(n)); }
    qint64 between(qint64 lo, qint64 hi) { return lo + below(hi - lo + 1); }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }
    template <typename T, size_t N>
    const T &pick(const std::array<T, N> &a) { return a[size_t(below(qint64(N)))]; }

private:
    quint64 m_state;
};

constexpr qint64 kDay = 86400;
constexpr qint64 kOpen = 9 * 3600;         // the shop opens at 09:00
constexpr qint64 kOpenLength = 12 * 3600;  // and closes at 21:00
constexpr int kSalesDays = 730;            // consumptions cover the last two years
constexpr int kMemberDays = 1095;          // members joined over the last three years
constexpr int kCostStand = 10;             // yuan per score point, as delivered

// Local wall-clock moments as seconds counted from Julian day 0.
struct Clock {
    qint64 now;
    qint64 today;   // Julian day
    Clock()
    {
        const QDateTime n = QDateTime::currentDateTime();
        today = n.date().toJulianDay();
        now = today * kDay + n.time().msecsSinceStartOfDay() / 1000;
    }
    qint64 at(qint64 day, qint64 secondOfDay) const { return std::min(now, day * kDay + secondOfDay); }
    // A moment in opening hours on a day of [fromDay, toDay], never after now.
    qint64 randomOpen(Rng &rng, qint64 fromDay, qint64 toDay) const
    {
        fromDay = std::min(fromDay, today);
        return at(rng.between(fromDay, std::max(fromDay, toDay)), kOpen + rng.below(kOpenLength));
    }
};

struct Stamp {
    char text[20];    // yyyy-MM-dd HH:mm:ss
    char serial[15];  // yyyyMMddHHmmss
};

Stamp stamp(qint64 t)
{
    int y, m, d;
    QDate::fromJulianDay(t / kDay).getDate(&y, &m, &d);
    const int s = int(t % kDay);
    Stamp st;
    std::snprintf(st.text, sizeof st.text, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, s / 3600, s / 60 % 60, s % 60);
    std::snprintf(st.serial, sizeof st.serial, "%04d%02d%02d%02d%02d%02d", y, m, d, s / 3600, s / 60 % 60, s % 60);
    return st;
}

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

// Plain shortest decimal form, as the program writes numbers into its texts.
QString num(double v)
{
    return QString::number(v, 'g', 15);
}

QString money(double v)
{
    return QString::number(v, 'f', 2);
}

// Points for an amount: the amount rounded (halves to even), divided by CostStand.
qint64 pointsFor(double amount)
{
    return qint64(std::nearbyint(amount)) / kCostStand;
}

// ---- prepared inserts -----------------------------------------------------------------

// A number column that may stay empty.
struct Maybe {
    bool present = false;
    double value = 0;
};
Maybe some(double v)
{
    return {true, v};
}

class Insert {
public:
    Insert(sqlite3 *db, const char *sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw db::DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert(const Insert &) = delete;
    Insert &operator=(const Insert &) = delete;

    template <typename... Args>
    void operator()(const Args &...args)
    {
        int i = 0;
        (bind(++i, args), ...);
        const int rc = sqlite3_step(m_stmt);
        if (rc != SQLITE_DONE) {
            const QString err = QString::fromUtf8(sqlite3_errmsg(m_db));
            sqlite3_reset(m_stmt);
            throw db::DbError(err);
        }
        sqlite3_reset(m_stmt);
    }

private:
    void bind(int i, std::nullptr_t) { sqlite3_bind_null(m_stmt, i); }
    void bind(int i, const Maybe &v)
    {
        if (v.present)
            sqlite3_bind_double(m_stmt, i, v.value);
        else
            sqlite3_bind_null(m_stmt, i);
    }
    void bind(int i, int v) { sqlite3_bind_int64(m_stmt, i, v); }
    void bind(int i, qint64 v) { sqlite3_bind_int64(m_stmt, i, v); }
    void bind(int i, double v) { sqlite3_bind_double(m_stmt, i, v); }
    void bind(int i, const char *v) { sqlite3_bind_text(m_stmt, i, v, -1, SQLITE_TRANSIENT); }
    void bind(int i, const std::string &v) { sqlite3_bind_text(m_stmt, i, v.data(), int(v.size()), SQLITE_TRANSIENT); }
    void bind(int i, const QString &v)
    {
        if (v.isNull()) {
            sqlite3_bind_null(m_stmt, i);
            return;
        }
        const QByteArray b = v.toUtf8();
        sqlite3_bind_text(m_stmt, i, b.constData(), b.size(), SQLITE_TRANSIENT);
    }

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

// ---- word lists ------------------------------------------------------------------------

QStringList words(const char *spaceSeparated)
{
    return QString::fromUtf8(spaceSeparated).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

const QString &pickWord(Rng &rng, const QStringList &list)
{
    return list.at(int(rng.below(list.size())));
}

struct Category {
    const char *id;
    const char *name;
    const char *units;
    const char *nouns;
    const char *specs;
    double minPrice;
    double maxPrice;
};

const Category kCategories[] = {
    {"01", "食品", "袋 盒 包", "方便面 饼干 薯片 面包 蛋糕 牛肉干 瓜子 巧克力 糖果 坚果 果冻 海苔", "100克 200克 250克 500克 小包 大包", 2, 60},
    {"02", "饮料", "瓶 罐 箱", "矿泉水 可乐 雪碧 橙汁 绿茶 红茶 酸奶 牛奶 咖啡 啤酒 豆奶 凉茶", "330毫升 500毫升 1升 2升 六连包 整箱", 2, 80},
    {"03", "粮油", "袋 桶 瓶", "大米 面粉 花生油 菜籽油 挂面 小米 绿豆 酱油 香醋 食盐", "1千克 2千克 5千克 10千克 500克", 5, 150},
    {"04", "日用品", "个 支 瓶 包", "牙膏 牙刷 洗发水 沐浴露 香皂 洗衣粉 毛巾 纸巾 洗洁精 衣架", "家庭装 旅行装 单支 三支装 大号 小号", 3, 80},
    {"05", "化妆品", "瓶 支 盒", "洗面奶 面霜 爽肤水 防晒霜 口红 眼霜 面膜 护手霜", "50毫升 100毫升 150毫升 套装 单片 十片装", 20, 300},
    {"06", "服装", "件 条 双", "衬衫 外套 长裤 短裤 连衣裙 袜子 内衣 毛衣 围巾 运动服", "均码 大码 中码 小码 加大码", 20, 500},
    {"07", "家电", "台 个", "电饭煲 电水壶 吹风机 电风扇 微波炉 榨汁机 电熨斗 台灯 电磁炉 加湿器", "标准款 升级款 家用型 迷你型", 50, 800},
    {"08", "文具", "支 本 个 盒", "笔记本 圆珠笔 铅笔 橡皮 文件夹 胶水 剪刀 计算器 订书机 彩笔", "单个 五个装 十个装 加厚 标准", 1, 50},
    {"09", "保健品", "盒 瓶 罐", "维生素 钙片 蛋白粉 鱼油 蜂蜜 枸杞 阿胶 人参 燕麦 红枣", "礼盒装 60粒 100粒 500克 罐装", 30, 500},
    {"10", "服务项目", "次 项", "洗车 美发 剪发 烫发 足疗 按摩 修脚 美甲 护理 清洗", "普通 精致 豪华 套餐", 10, 200},
};

const char kBrands[] =
    "金牌 精选 优质 特级 经典 新款 进口 国产 超值 实惠 天然 老字号 康健 丰收 美佳 好运 福临 百味 "
    "佳乐 华美 红星 长城 东方 南方 北方 明珠 绿源 晨光 青山 海洋";
const char kSurnames[] =
    "王 李 张 刘 陈 杨 黄 赵 吴 周 徐 孙 马 朱 胡 郭 何 高 林 罗 郑 梁 谢 宋 唐 许 韩 冯 邓 曹 彭 曾 肖 田 "
    "董 袁 潘 于 蒋 蔡 余 杜 叶 程 苏 魏 吕 丁 任 沈 姚 卢 姜 崔 钟 谭 陆 汪 范 金 石 廖 贾 夏 韦 付 方 白 "
    "邹 孟 熊 秦 邱 江 尹 薛 段 雷 侯 龙 史 陶 黎 贺 顾 毛 郝 龚 邵 万 钱 严 武 戴 莫 孔 向 汤 欧阳 司马 诸葛";
const char kMaleNames[] =
    "伟 强 磊 军 洋 勇 杰 涛 明 超 刚 平 辉 鹏 华 飞 鑫 波 斌 宇 浩 凯 健 俊 帆 帅 旭 宁 龙 林 东 亮 博 "
    "建华 建国 志强 国庆 海峰 子豪 宇航 浩然 俊杰 文博 天佑 明轩 志远 嘉伟";
const char kFemaleNames[] =
    "芳 娜 敏 静 丽 艳 娟 霞 玲 红 燕 萍 雪 琳 颖 倩 丹 莉 婷 欣 怡 佳 晶 璐 梅 兰 月 "
    "秀英 桂英 秀兰 晓燕 丽娟 雨婷 欣怡 梦瑶 思琪 佳怡 雅静 诗涵 晓雪 婉清 嘉欣";
const char kCities[] =
    "杭州市西湖区 杭州市上城区 上海市浦东新区 上海市徐汇区 北京市朝阳区 北京市海淀区 广州市天河区 "
    "南京市鼓楼区 成都市武侯区 武汉市洪山区 西安市雁塔区 苏州市姑苏区 宁波市鄞州区";
const char kStreets[] = "文三路 解放路 人民路 中山路 建设路 和平街 新华路 长江路 延安路 黄河路 青年路 幸福街";
const char kEstates[] = "阳光小区 金色家园 翠苑 锦绣花园 东方名城 绿城小区 世纪新城 和平里";
const char kTipContents[] =
    "回访会员消费体验 提醒会员及时充值 通知会员领取积分礼品 会员卡即将到期，提醒续卡 新品到店，电话通知 "
    "预约服务确认 节日活动邀请 会员生日祝福";
const char kRegions[] = "330102 330106 310115 110105 440106 320106 510107 420111 610113";

struct Gift {
    const char *code;
    const char *name;
    double score;
};
const Gift kGifts[] = {
    {"L01", "购物袋", 30},   {"L02", "毛巾", 50},     {"L03", "雨伞", 100},     {"L04", "洗衣液", 120},
    {"L05", "马克杯", 150},  {"L06", "抱枕", 200},    {"L07", "食用油", 250},   {"L08", "保温杯", 300},
    {"L09", "台历", 80},     {"L10", "剃须刀", 800},  {"L11", "床上四件套", 1500}, {"L12", "电饭煲", 2000},
};

struct Operator {
    const char *code;
    const char *name;
    const char *power;
    int weight;   // share of the counter work
};
const Operator kOperators[] = {
    {"admin", "管理员", nullptr, 1},
    {"001", "张丽", "$01;$02;$03;$04;$05;$06;$07;$08;$09;$10;", 4},
    {"002", "王强", "$01;$02;$03;$04;$05;$06;$07;$08;$09;$10;$11;$12;", 3},
    {"003", "李娜", "$01;$02;$03;$04;$05;$06;$07;$08;$09;$10;$11;$12;$13;$14;$15;$16;$17;$18;", 2},
};

const char *pickOperator(Rng &rng)
{
    int total = 0;
    for (const Operator &o : kOperators)
        total += o.weight;
    qint64 r = rng.below(total);
    for (const Operator &o : kOperators) {
        if (r < o.weight)
            return o.code;
        r -= o.weight;
    }
    return kOperators[0].code;
}

// The ordinary levels of the delivered database.
struct Level {
    const char *id;
    double rate;
    double low;
    double high;
};
const Level kLevels[] = {{"01", 0.95, 0, 999}, {"02", 0.9, 1000, 4999}, {"03", 0.85, 5000, 99999}};

int levelFor(double score, int current)
{
    for (int i = 0; i < int(std::size(kLevels)); ++i) {
        if (kLevels[i].low <= score && score <= kLevels[i].high)
            return i;
    }
    return current;
}

// Kind-"01" styles credit CheapMoney per 100 yuan; kind-"02" styles give uses.
struct Style {
    const char *id;
    double costMoney;
    double cheapMoney;
};
const Style kDepositStyles[] = {{"0", 100, 100}, {"01", 100, 110}, {"02", 100, 120}};
const Style kCountStyles[] = {{"03", 100, 10}, {"04", 50, 6}};

// ---- the generated rows held in memory ---------------------------------------------

struct Goods {
    std::string id;
    QString name;
    int category;
    QString unit;
    double buy;
    double sale;
    double disc;
    double opening;
    double sold = 0;
};

struct Member {
    std::string code;
    int kind = 1;
    qint64 added = 0;   // moment of registration
    qint64 joinDay = 0;
    const Style *style = &kDepositStyles[0];
    int level = 0;
    bool upgrade = false;
    double balance = 0;
    double hisSum = 0;
    double score = 0;
    qint64 sumScore = 0;
    // The last goods line bought, so that a later return can take it back.
    int lastGoods = -1;
    double lastRate = 1;
};

struct Generator {
    sqlite3 *h;
    Rng rng{20260101};
    Clock clock;
    DemoSize size;

    std::vector<Goods> goods;
    std::vector<Member> members;   // ordered by registration
    Member noCard;                 // the delivered "0000"

    Insert logLine{h, "INSERT INTO T_SysLog(OperDate,UserMan,OperInfo) VALUES(?,?,?)"};

    Generator(sqlite3 *handle, const DemoSize &s) : h(handle), size(s) { noCard.code = "0000"; }

    void log(qint64 t, const char *oper, const QString &text) { logLine(stamp(t).text, oper, text); }

    void progress(const char *what, qint64 done, qint64 total)
    {
        std::fprintf(stderr, "%s: %lld/%lld\n", what, static_cast<long long>(done), static_cast<long long>(total));
    }

    void operators();
    void makeGoods();
    void makeMembers();
    void sales();
    void exchanges();
    void writeMembers();
    void writeGoods();
    void reminders();
};

void Generator::operators()
{
    Insert user(h, "INSERT INTO D_UserManage(UserCode,UserName,PassWord,Power,IFSys) VALUES(?,?,'123',?,0)");
    Insert login(h, "INSERT INTO T_LoginDate(UserMan,LoginDate,LastDate,IfChange) VALUES(?,?,?,0)");
    for (const Operator &o : kOperators) {
        if (o.power)
            user(o.code, QString::fromUtf8(o.name), o.power);
        const qint64 t = clock.at(clock.today, kOpen + rng.below(600));
        login(o.code, stamp(t).text, stamp(t).text);
    }
    // Shift logins and logouts over the sales period.
    for (qint64 day = clock.today - kSalesDays; day <= clock.today; ++day) {
        const char *oper = pickOperator(rng);
        const qint64 in = clock.at(day, kOpen - 600 + rng.below(600));
        log(in, oper, QStringLiteral("操作员：%1 登录系统").arg(QLatin1String(oper)));
        if (day < clock.today)
            log(clock.at(day, kOpen + kOpenLength + rng.below(900)), oper,
                QStringLiteral("操作员：%1 退出系统").arg(QLatin1String(oper)));
    }
}

void Generator::makeGoods()
{
    Insert kind(h, "INSERT INTO D_GoodsKind(KindID,KindName,SysSet) VALUES(?,?,0)");
    for (const Category &c : kCategories)
        kind(c.id, QString::fromUtf8(c.name));

    const QStringList brands = words(kBrands);
    const int nCategories = int(std::size(kCategories));
    goods.reserve(size_t(size.goods));
    for (qint64 i = 0; i < size.goods; ++i) {
        Goods g;
        g.category = int(i % nCategories);
        const Category &c = kCategories[g.category];
        // EAN-13 style code: "69", ten digits that differ for every goods, check digit.
        char digits[14];
        std::snprintf(digits, sizeof digits, "69%010lld", static_cast<long long>(1000003 + i * 7919));
        int sum = 0;
        for (int k = 0; k < 12; ++k)
            sum += (digits[k] - '0') * (k % 2 ? 3 : 1);
        g.id = std::string(digits, 12) + char('0' + (10 - sum % 10) % 10);
        g.name = pickWord(rng, brands) + pickWord(rng, words(c.nouns)) + pickWord(rng, words(c.specs));
        g.unit = pickWord(rng, words(c.units));
        g.sale = std::round((c.minPrice + (c.maxPrice - c.minPrice) * rng.unit() * rng.unit()) * 10) / 10;
        g.buy = round2(g.sale * (0.55 + 0.3 * rng.unit()));
        const double r = rng.unit();
        g.disc = r < 0.6 ? 0 : r < 0.85 ? 0.9 : r < 0.95 ? 0.8 : 1;
        g.opening = double(rng.between(50, 300));
        goods.push_back(std::move(g));
    }
}

void Generator::makeMembers()
{
    Insert put(h, "INSERT INTO T_CardPutMoney(CardID,PayMoney,PutMoney,CurScore,CheapMoney,PayDate,UserMan) "
                  "VALUES(?,?,?,?,?,?,?)");
    const qint64 n = size.members;
    members.reserve(size_t(n));
    for (qint64 i = 0; i < n; ++i) {
        Member m;
        char code[12];
        std::snprintf(code, sizeof code, "%06lld", static_cast<long long>(100001 + i));
        m.code = code;
        const QString card = QString::fromLatin1(code);
        m.joinDay = clock.today - kMemberDays + (n > 1 ? i * kMemberDays / (n - 1) : kMemberDays);
        m.added = clock.at(m.joinDay, kOpen + rng.below(kOpenLength));
        const double k = rng.unit();
        m.kind = k < 0.35 ? 1 : k < 0.85 ? 2 : 3;
        m.upgrade = rng.chance(0.8);
        m.level = m.upgrade || rng.chance(0.8) ? 0 : int(rng.between(1, 2));
        m.style = m.kind == 3   ? &kCountStyles[rng.below(2)]
                  : m.kind == 2 ? &kDepositStyles[rng.below(3)]
                                : &kDepositStyles[0];
        const char *registrar = pickOperator(rng);
        log(m.added, registrar, QStringLiteral("增加会员：[%1]").arg(card));
        if (m.kind != 1) {
            // The opening amount paid at registration, then later recharges.
            const int recharges = int(rng.between(0, m.kind == 2 ? 6 : 3));
            for (int r = 0; r <= recharges; ++r) {
                const bool opening = r == 0;
                const qint64 t = opening ? m.added + 1 : clock.randomOpen(rng, m.joinDay, clock.today);
                double pay, credit;
                if (m.kind == 2) {
                    static const std::array<double, 6> amounts{100, 200, 300, 500, 1000, 2000};
                    pay = rng.pick(amounts);
                    credit = pay * m.style->cheapMoney / 100;
                } else {
                    pay = m.style->costMoney * double(rng.between(1, 3));
                    credit = pay / m.style->costMoney * m.style->cheapMoney;
                }
                const double bonus = m.kind == 2 ? credit - pay : 0;
                m.balance += credit;
                if (opening) {
                    put(m.code, pay, credit, Maybe{}, bonus, stamp(t).text, registrar);
                    continue;
                }
                const qint64 points = pointsFor(pay);
                const char *oper = pickOperator(rng);
                put(m.code, pay, credit, some(double(points)), bonus, stamp(t).text, oper);
                m.score += double(points);
                m.sumScore += points;
                log(t, oper, QStringLiteral("会员卡：[%1] 充值金额：%2元 实际存入卡内：%3").arg(card, num(pay), num(credit)));
            }
        }
        members.push_back(std::move(m));
        if ((i + 1) % 25000 == 0 || i + 1 == n)
            progress("members", i + 1, n);
    }
}

void Generator::sales()
{
    Insert head(h, "INSERT INTO T_MemberCostInfo(CostID,CardID,CostMoney,CostScore,CostDate,CostMemo,IfMoney,XJJN,"
                   "IfExitGoods,UserMan) VALUES(?,?,?,?,?,?,?,?,?,?)");
    Insert line(h, "INSERT INTO T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsPrice,GoodsDisc,GoodsCount,"
                   "GoodsDiscPrice,SumPrice,CostDate,UserMan) VALUES(?,?,?,?,?,?,?,?,?,?)");
    // The days before today, so that the same size gives the same rows all day long.
    const qint64 firstDay = clock.today - kSalesDays;
    const qint64 span = kSalesDays * kOpenLength;
    if (size.sales > span)
        throw db::DbError(QStringLiteral("at most %1 consumptions fit the two years of opening hours").arg(span));
    if (size.sales > 0 && goods.empty())
        throw db::DbError(QStringLiteral("consumptions need goods (--goods must not be 0)"));

    std::vector<qint64> joinDays;
    joinDays.reserve(members.size());
    for (const Member &m : members)
        joinDays.push_back(m.joinDay);

    // Every second of opening hours is chosen with the probability that leaves exactly
    // the requested number of consumptions: their numbers (CostID) are unique and rise
    // with time.
    qint64 left = size.sales;
    const qint64 step = std::max<qint64>(1, size.sales / 10);
    for (qint64 s = 0; left > 0; ++s) {
        if (rng.below(span - s) >= left)
            continue;
        --left;
        const qint64 t = (firstDay + s / kOpenLength) * kDay + kOpen + s % kOpenLength;
        const Stamp st = stamp(t);
        const char *oper = pickOperator(rng);
        const qint64 joined = std::lower_bound(joinDays.begin(), joinDays.end(), t / kDay) - joinDays.begin();
        Member *m = joined > 0 && !rng.chance(0.1) ? &members[size_t(rng.below(joined))] : &noCard;
        const QString card = QString::fromStdString(m->code);
        const qint64 done = size.sales - left;
        if (done % step == 0 || left == 0)
            progress("consumptions", done, size.sales);

        if (m != &noCard && m->lastGoods >= 0 && rng.chance(0.01)) {
            // A goods return: one piece of the member's last purchase.
            Goods &g = goods[size_t(m->lastGoods)];
            const double unitPrice = g.sale * m->lastRate;
            const double r = round2(unitPrice);
            if (m->kind == 2) {
                head(st.serial, m->code, -r, Maybe{}, st.text, "退货", 0, Maybe{}, some(1), oper);
                m->balance += r;
            } else {
                const qint64 points = pointsFor(r);
                head(st.serial, m->code, -r, some(double(-points)), st.text, "退货", 0, Maybe{}, Maybe{}, oper);
                m->score -= double(points);
            }
            m->hisSum -= r;
            line(st.serial, m->code, g.id, g.sale, m->lastRate, -1.0, r, -r, st.text, oper);
            g.sold -= 1;
            m->lastGoods = -1;
            log(t, oper, QStringLiteral("会员卡：[%1] 退货金额为%2元").arg(card, num(r)));
            continue;
        }

        if (m->kind == 3) {
            const int uses = rng.chance(0.8) ? 1 : 2;
            if (m->balance >= uses) {
                head(st.serial, m->code, double(uses), Maybe{}, st.text, "", 0, Maybe{}, Maybe{}, oper);
                m->balance -= uses;
                m->hisSum += uses;
                log(t, oper, QStringLiteral("会员卡：[%1] 消费%2次").arg(card).arg(uses));
                continue;
            }
            m = &noCard;   // no uses left: the customer pays as a walk-in
        }

        // A goods sale of 1 to 5 lines, about 3.4 on average.
        static const std::array<int, 12> lineCounts{1, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5};
        const int lines = rng.pick(lineCounts);
        const double memberRate = m == &noCard ? 1.0 : kLevels[m->level].rate;
        std::array<int, 5> chosen{};
        double amount = 0;
        for (int l = 0; l < lines; ++l) {
            int gi;
            do {
                const double u = rng.unit();
                gi = int(double(goods.size()) * u * u);
            } while (std::find(chosen.begin(), chosen.begin() + l, gi) != chosen.begin() + l
                     && goods.size() > size_t(lines));
            chosen[size_t(l)] = gi;
            Goods &g = goods[size_t(gi)];
            static const std::array<double, 20> quantities{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 3, 5};
            const double q = rng.pick(quantities);
            const double rate = g.disc == 0 || memberRate > g.disc ? memberRate : g.disc;
            const double unitPrice = g.sale * rate;
            const double sum = round2(q * unitPrice);
            line(st.serial, m->code, g.id, g.sale, rate, q, round2(unitPrice), sum, st.text, oper);
            g.sold += q;
            amount += sum;
            m->lastGoods = gi;
            m->lastRate = rate;
        }
        amount = round2(amount);

        qint64 points = 0;
        if (m->kind == 2 && m->balance >= amount) {
            head(st.serial, m->code, amount, Maybe{}, st.text, "", 0, Maybe{}, Maybe{}, oper);
            m->balance = round2(m->balance - amount);
            m->hisSum += amount;
            log(t, oper, QStringLiteral("会员卡：[%1] 消费%2元").arg(card, num(amount)));
        } else if (m->kind == 2 && m->balance > 0 && rng.chance(0.5)) {
            const double cash = round2(amount - m->balance);
            points = pointsFor(cash);
            head(st.serial, m->code, amount, some(double(points)), st.text,
                 QStringLiteral("(储值卡+现金:%1)").arg(money(cash)), 2, some(cash), Maybe{}, oper);
            m->balance = 0;
            m->hisSum += cash;
            log(t, oper, QStringLiteral("会员卡：[%1] 消费%2元(储值卡+现金结帐)其中现金：%3元").arg(card, num(amount), money(cash)));
        } else if (m->kind == 2) {
            points = pointsFor(amount);
            head(st.serial, m->code, amount, some(double(points)), st.text, "(现金结帐)", 1, Maybe{}, Maybe{}, oper);
            m->hisSum += amount;
            log(t, oper, QStringLiteral("会员卡：[%1] 消费%2元(现金结帐)").arg(card, num(amount)));
        } else {
            points = pointsFor(amount);
            head(st.serial, m->code, amount, some(double(points)), st.text, "", 0, Maybe{}, Maybe{}, oper);
            m->hisSum += amount;
            log(t, oper, QStringLiteral("会员卡：[%1] 消费%2元").arg(card, num(amount)));
        }
        m->score += double(points);
        m->sumScore += points;
        if (m->upgrade)
            m->level = levelFor(double(m->sumScore), m->level);
    }
}

void Generator::exchanges()
{
    Insert ex(h, "INSERT INTO T_ScoreExGoods(CardID,GoodsID,ExCount,Score,ExDate,UserMan) VALUES(?,?,?,?,?,?)");
    Insert gift(h, "INSERT INTO D_ExchangeGoods(Code,GoodsName,GoodsSimple,GoodsCount,ExScore) VALUES(?,?,?,?,?)");
    const qint64 count = members.empty() ? 0 : size.sales / 50;
    for (qint64 e = 0; e < count; ++e) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            Member &m = members[size_t(rng.below(qint64(members.size())))];
            std::vector<int> affordable;
            for (int g = 0; g < int(std::size(kGifts)); ++g) {
                if (kGifts[g].score <= m.score)
                    affordable.push_back(g);
            }
            if (affordable.empty())
                continue;
            const int g = affordable[size_t(rng.below(qint64(affordable.size())))];
            const double pieces = m.score >= 2 * kGifts[g].score && rng.chance(0.2) ? 2 : 1;
            const qint64 t = clock.randomOpen(rng, std::max(m.joinDay, clock.today - kSalesDays), clock.today);
            ex(m.code, kGifts[g].code, pieces, pieces * kGifts[g].score, stamp(t).text, pickOperator(rng));
            m.score -= pieces * kGifts[g].score;
            break;
        }
    }
    for (size_t g = 0; g < std::size(kGifts); ++g) {
        const QString name = QString::fromUtf8(kGifts[g].name);
        gift(kGifts[g].code, name, text::SpellCode(name), double(rng.between(20, 200)), kGifts[g].score);
    }
}

// An 18-digit identity-card number with its check character.
std::string idCard(Rng &rng, const QStringList &regions, const QDate &birth, bool male)
{
    char body[18];
    std::snprintf(body, sizeof body, "%s%04d%02d%02d%02d%d", qPrintable(pickWord(rng, regions)), birth.year(),
                  birth.month(), birth.day(), int(rng.below(100)), int(rng.below(5) * 2 + (male ? 1 : 0)));
    static const int weights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    int sum = 0;
    for (int i = 0; i < 17; ++i)
        sum += (body[i] - '0') * weights[i];
    return std::string(body, 17) + "10X98765432"[sum % 11];
}

void Generator::writeMembers()
{
    Insert mem(h, "INSERT INTO T_MemberInfo(CodeID,memberName,Spell,memberKind,CardLevel,PassWord,CheapMode,"
                  "memberScore,CurState,CurMoney,HisSumMoney,CardVailFlag,CardVailDate,CardIfUpGrade,sex,birthday,"
                  "Mobile,Tel,EMail,IDCard,Addr,MemberPhoto,IntroCodeID,AddDate,RegDate,Remark,UserMan,RemarkInfo,"
                  "SumScore) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,'',?,?,?,?,?,?,?)");
    const QStringList surnames = words(kSurnames), male = words(kMaleNames), female = words(kFemaleNames);
    const QStringList cities = words(kCities), streets = words(kStreets), estates = words(kEstates);
    const QStringList regions = words(kRegions);
    static const std::array<const char *, 3> mobilePrefixes{"13", "15", "18"};
    static const std::array<const char *, 3> mailHosts{"@163.com", "@qq.com", "@126.com"};
    static const std::array<const char *, 4> remarks{"老顾客", "团购客户", "员工亲属", "朋友介绍"};
    static const std::array<const char *, 4> personal{"喜欢新品，周末常来", "偏好储值优惠", "注意：对花生过敏",
                                                      "需开具发票"};

    for (size_t i = 0; i < members.size(); ++i) {
        const Member &m = members[i];
        const bool isMale = rng.chance(0.5);
        const QString name = pickWord(rng, surnames) + pickWord(rng, isMale ? male : female);
        const QString spell = text::SpellCode(name);
        QString birthday, idNumber;
        if (rng.chance(0.9)) {
            const QDate birth = QDate(1950, 1, 1).addDays(rng.below(QDate(1950, 1, 1).daysTo(QDate(2005, 12, 31))));
            birthday = birth.toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
            if (rng.chance(0.35))
                idNumber = QString::fromStdString(idCard(rng, regions, birth, isMale));
        }
        char mobile[16];
        std::snprintf(mobile, sizeof mobile, "%s%09lld", mobilePrefixes[i % 3],
                      static_cast<long long>((qint64(i) * 387420489 + 104729) % 1000000000));
        QString tel, mail, addr, intro, remark, remarkInfo;
        if (rng.chance(0.2))
            tel = QStringLiteral("0571-8%1").arg(rng.between(0, 9999999), 7, 10, QLatin1Char('0'));
        if (rng.chance(0.15)) {
            QString user = spell.toLower().remove(QLatin1Char(' '));
            mail = (user.isEmpty() ? QStringLiteral("vip") : user) + QString::number(rng.between(10, 999))
                   + QLatin1String(rng.pick(mailHosts));
        }
        if (rng.chance(0.7))
            addr = pickWord(rng, cities) + pickWord(rng, streets) + QString::number(rng.between(1, 300))
                   + QStringLiteral("号") + pickWord(rng, estates) + QString::number(rng.between(1, 30))
                   + QStringLiteral("幢") + QString::number(rng.between(101, 1804)) + QStringLiteral("室");
        if (i > 10 && rng.chance(0.04))
            intro = QString::fromStdString(members[size_t(rng.below(qint64(i)))].code);
        if (rng.chance(0.05))
            remark = QString::fromUtf8(rng.pick(remarks));
        if (rng.chance(0.05))
            remarkInfo = QString::fromUtf8(rng.pick(personal));
        const double st = rng.unit();
        const int state = st < 0.95 ? 1 : st < 0.97 ? 2 : 3;
        const bool expires = rng.chance(0.2);
        const qint64 validUntil = expires ? m.added + kDay * rng.between(365, 3 * 365) : m.added;
        const double p = rng.unit();
        const QString password = p < 0.4 ? QStringLiteral("123456")
                                 : p < 0.6 ? QStringLiteral("%1").arg(rng.between(0, 999999), 6, 10, QLatin1Char('0'))
                                           : QString(QLatin1String(""));
        const Stamp added = stamp(m.added);
        mem(m.code, name, spell, m.kind, kLevels[m.level].id, password, m.style->id, round2(m.score), state,
            round2(m.balance), round2(m.hisSum), expires ? 1 : 0, stamp(validUntil).text, m.upgrade ? 1 : 0,
            isMale ? "男" : "女", birthday, QString::fromLatin1(mobile), tel, mail, idNumber, addr, intro, added.text,
            added.text, remark, pickOperator(rng), remarkInfo, m.sumScore);
        if ((i + 1) % 25000 == 0 || i + 1 == members.size())
            progress("member rows", qint64(i + 1), qint64(members.size()));
    }
    Insert walkIn(h, "UPDATE T_MemberInfo SET memberScore=memberScore+?,HisSumMoney=HisSumMoney+?,"
                     "SumScore=SumScore+? WHERE CodeID='0000'");
    walkIn(round2(noCard.score), round2(noCard.hisSum), noCard.sumScore);
}

void Generator::writeGoods()
{
    Insert store(h, "INSERT INTO D_GoodsStore(GoodsID,GoodsName,GoodsKind,GoodsSimple,GoodsUnit,BuyPrice,SalePrice,"
                    "GoodsCount,GoodsDisc) VALUES(?,?,?,?,?,?,?,?,?)");
    Insert move(h, "INSERT INTO T_GoodsBuySale(GoodsID,GoodsCount,Kind,Remark,CreateDate,OperMan) VALUES(?,?,?,?,?,?)");
    auto movement = [&](const Goods &g, double q, int kind, const char *remark, qint64 t) {
        const char *oper = pickOperator(rng);
        move(g.id, q, kind, remark, stamp(t).text, oper);
        log(t, oper, QStringLiteral("商品:%1  <%2货> 数量：%3")
                         .arg(g.name, kind == 1 ? QStringLiteral("进") : QStringLiteral("退"), num(q)));
    };
    for (size_t i = 0; i < goods.size(); ++i) {
        const Goods &g = goods[i];
        double stock = g.opening;
        movement(g, g.opening, 1, "期初入库", clock.randomOpen(rng, clock.today - kMemberDays, clock.today - kSalesDays));
        // Restock through the sales period so that the shelf ends between 0 and 200,
        // with a few goods sold below zero.
        const double target = rng.chance(0.03) ? -double(rng.between(1, 5)) : double(rng.between(0, 200));
        double need = g.sold + target - stock;
        while (need > 0) {
            double q = double(rng.between(100, 500));
            if (need - q < 20)
                q = need;
            movement(g, q, 1, "", clock.randomOpen(rng, clock.today - kSalesDays, clock.today));
            stock += q;
            need -= q;
        }
        if (rng.chance(0.1)) {
            const double q = double(rng.between(1, 10));
            const qint64 t = clock.randomOpen(rng, clock.today - kSalesDays, clock.today);
            movement(g, q, 1, "", t);
            movement(g, q, 2, "质量问题退回供应商", clock.at(t / kDay, t % kDay + 3600));
        }
        store(g.id, g.name, kCategories[g.category].id, text::SpellCode(g.name), g.unit, g.buy, g.sale,
              stock - g.sold, g.disc);
        if ((i + 1) % 5000 == 0 || i + 1 == goods.size())
            progress("goods", qint64(i + 1), qint64(goods.size()));
    }
}

void Generator::reminders()
{
    if (members.empty())
        return;
    Insert tip(h, "INSERT INTO T_TipOffSet(AddDate,CardID,TipOFFMode,TipOffDate,TipOffDate_Intro,TipOffContent,"
                  "TipOffState,TipOffResult) VALUES(?,?,?,?,?,?,?,?)");
    const QStringList contents = words(kTipContents);
    static const char *const weekdays[] = {"日", "一", "二", "三", "四", "五", "六"};
    const QDate today = QDate::fromJulianDay(clock.today);
    const qint64 count = std::max<qint64>(8, qint64(members.size()) / 20);
    for (qint64 i = 0; i < count; ++i) {
        const int mode = int(i % 4) + 1;
        const bool dueToday = i % 10 < 2;   // a fifth of them fall due today
        QString when, intro;
        if (mode == 1) {
            const QDate d = dueToday ? today : today.addDays(rng.between(-30, 60));
            when = d.toString(QStringLiteral("yyyy-MM-dd"));
            intro = d.toString(QStringLiteral("yyyy年MM月dd"));
        } else if (mode == 2) {
            int mask = int(rng.between(1, 127));
            if (dueToday)
                mask |= 1 << (today.dayOfWeek() % 7);
            for (int d = 0; d < 7; ++d) {
                if (mask & (1 << d)) {
                    when += QStringLiteral("$%1;").arg(d);
                    intro += QString::fromUtf8(weekdays[d]);
                }
            }
        } else if (mode == 3) {
            const int day = dueToday ? today.day() : int(rng.between(1, 28));
            when = QString::number(day);
            intro = when + QStringLiteral("号");
        } else {
            const QDate d = dueToday ? today : today.addDays(rng.between(1, 364));
            when = QStringLiteral("%1-%2").arg(d.month()).arg(d.day());
            intro = QStringLiteral("%1月%2号").arg(d.month()).arg(d.day());
        }
        const bool contacted = rng.chance(0.3);
        const Member &m = members[size_t(rng.below(qint64(members.size())))];
        tip(stamp(clock.randomOpen(rng, clock.today - 60, clock.today)).text, m.code, mode, when, intro,
            pickWord(rng, contents), contacted ? 2 : 1,
            contacted ? QStringLiteral("已电话联系，会员表示满意") : QString(QLatin1String("")));
    }
}

} // namespace

int fillDemo(const QString &path, const QString &password, const DemoSize &size)
{
    const bool created = !QFileInfo::exists(path);
    try {
        db::Database database;
        if (created)
            createDatabase(database, path, password);
        else
            database.open(path, password);
        const db::Result existing = database.query(QStringLiteral(
            "select (select count(*) from T_MemberInfo where CodeID<>'0000') as m, (select count(*) from D_GoodsStore) as g"));
        if (existing.value(0, 0).asInt() + existing.value(0, 1).asInt() > 0) {
            printErr(QStringLiteral("%1 already holds members or goods; demo data goes into a fresh database").arg(path));
            return 1;
        }
        sqlite3 *h = database.handle();
        // Generated data is worth no fsync; the one transaction still makes it all or nothing.
        sqlite3_exec(h, "PRAGMA synchronous=OFF; PRAGMA journal_mode=MEMORY", nullptr, nullptr, nullptr);
        database.execScript(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            Generator g(h, size);
            g.operators();
            g.makeGoods();
            g.makeMembers();
            g.sales();
            g.exchanges();
            g.writeMembers();
            g.writeGoods();
            g.reminders();
            std::fputs("committing\n", stderr);
            database.execScript(QStringLiteral("COMMIT"));
        } catch (...) {
            sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
        std::fputs("analyzing\n", stderr);
        database.execScript(QStringLiteral("ANALYZE"));
    } catch (const db::DbError &e) {
        printErr(e.text());
        if (created)
            QFile::remove(path);
        return 1;
    }
    return 0;
}

} // namespace admin
