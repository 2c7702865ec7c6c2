#include "JetSql.h"
#include "Database.h"

#include <QDate>
#include <QSet>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

namespace db::jet {

// ============================================================================
// Translator: tokens -> statement parser -> expression tree -> SQLite text
// ============================================================================

namespace {

enum class Tok { End, Word, Bracket, String, Number, Date, Symbol, Param };

struct Token {
    Tok kind = Tok::End;
    QString text;   // word, bracketed name, string value, number, canonical date, symbol
    int pos = 0;
};

[[noreturn]] void syntaxError(const QString &what, const QString &sql, int pos)
{
    const QString near = sql.mid(pos, 30).simplified();
    throw DbError(QStringLiteral("无法转换的SQL语句: %1 (位置 %2%3)\n语句: %4")
                      .arg(what)
                      .arg(pos + 1)
                      .arg(near.isEmpty() ? QString() : QStringLiteral(", \"%1\"").arg(near))
                      .arg(sql.simplified()));
}

bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// #date# literal content to the stored text form.
QString dateLiteral(const QString &body, const QString &sql, int pos)
{
    const QString s = body.trimmed();
    static const char *formats[] = {"yyyy-M-d H:m:s", "yyyy-M-d H:m", "yyyy-M-d", "yyyy/M/d H:m:s",
                                    "yyyy/M/d H:m",   "yyyy/M/d",     "M/d/yyyy H:m:s", "M/d/yyyy H:m",
                                    "M/d/yyyy"};
    for (const char *f : formats) {
        const QDateTime dt = QDateTime::fromString(s, QLatin1String(f));
        if (dt.isValid())
            return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    syntaxError(QStringLiteral("无效的日期常量 #%1#").arg(body), sql, pos);
}

std::vector<Token> tokenize(const QString &sql)
{
    std::vector<Token> out;
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.pos = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Jet takes both quotes for text; a doubled quote stands for itself.
            QString v;
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    syntaxError(QStringLiteral("文本常量没有结束引号"), sql, i);
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        v += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                v += sql[j++];
            }
            t.kind = Tok::String;
            t.text = v;
            i = j + 1;
        } else if (c == QLatin1Char('[')) {
            const int j = sql.indexOf(QLatin1Char(']'), i + 1);
            if (j < 0)
                syntaxError(QStringLiteral("方括号名称没有结束"), sql, i);
            t.kind = Tok::Bracket;
            t.text = sql.mid(i + 1, j - i - 1);
            i = j + 1;
        } else if (c == QLatin1Char('`')) {
            const int j = sql.indexOf(QLatin1Char('`'), i + 1);
            if (j < 0)
                syntaxError(QStringLiteral("名称没有结束"), sql, i);
            t.kind = Tok::Bracket;
            t.text = sql.mid(i + 1, j - i - 1);
            i = j + 1;
        } else if (c == QLatin1Char('#')) {
            const int j = sql.indexOf(QLatin1Char('#'), i + 1);
            if (j < 0)
                syntaxError(QStringLiteral("日期常量没有结束的 #"), sql, i);
            t.kind = Tok::Date;
            t.text = dateLiteral(sql.mid(i + 1, j - i - 1), sql, i);
            i = j + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql[i + 1].isDigit())) {
            int j = i;
            while (j < n && sql[j].isDigit())
                ++j;
            if (j < n && sql[j] == QLatin1Char('.')) {
                ++j;
                while (j < n && sql[j].isDigit())
                    ++j;
            }
            if (j < n && (sql[j] == QLatin1Char('e') || sql[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (sql[k] == QLatin1Char('+') || sql[k] == QLatin1Char('-')))
                    ++k;
                if (k < n && sql[k].isDigit()) {
                    while (k < n && sql[k].isDigit())
                        ++k;
                    j = k;
                }
            }
            if (j < n && isWordStart(sql[j]))
                syntaxError(QStringLiteral("数字后面紧跟名称"), sql, i);
            t.kind = Tok::Number;
            t.text = sql.mid(i, j - i);
            if (t.text.startsWith(QLatin1Char('.')))
                t.text.prepend(QLatin1Char('0'));
            i = j;
        } else if (isWordStart(c)) {
            int j = i + 1;
            while (j < n && isWordChar(sql[j]))
                ++j;
            t.kind = Tok::Word;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('?')) {
            t.kind = Tok::Param;
            t.text = QStringLiteral("?");
            ++i;
        } else {
            static const char *two[] = {"<>", "<=", ">="};
            t.kind = Tok::Symbol;
            for (const char *s : two) {
                if (sql.mid(i, 2) == QLatin1String(s)) {
                    t.text = QLatin1String(s);
                    break;
                }
            }
            if (t.text.isEmpty()) {
                if (!QStringLiteral("=<>+-*/\\^&(),.!;").contains(c))
                    syntaxError(QStringLiteral("无法识别的字符 '%1'").arg(c), sql, i);
                t.text = c;
            }
            i += t.text.size();
        }
        out.push_back(std::move(t));
    }
    Token end;
    end.pos = n;
    out.push_back(end);
    return out;
}

// Words the statement grammar reserves: never taken as names or aliases unbracketed.
const QSet<QString> &reservedWords()
{
    static const QSet<QString> words = {
        "select", "from", "where", "group", "by", "having", "order", "union", "all", "distinct",
        "distinctrow", "top", "percent", "as", "on", "join", "inner", "left", "right", "outer",
        "full", "insert", "into", "values", "update", "set", "delete", "and", "or", "not", "xor",
        "eqv", "imp", "like", "in", "is", "null", "between", "exists", "mod", "asc", "desc"};
    return words;
}

// SQLite keywords: a name spelt like one is written in brackets.
const QSet<QString> &sqliteKeywords()
{
    static const QSet<QString> words = {
        "abort", "action", "add", "after", "all", "alter", "analyze", "and", "as", "asc",
        "attach", "autoincrement", "before", "begin", "between", "by", "cascade", "case", "cast",
        "check", "collate", "column", "commit", "conflict", "constraint", "create", "cross",
        "current_date", "current_time", "current_timestamp", "database", "default", "deferrable",
        "deferred", "delete", "desc", "detach", "distinct", "drop", "each", "else", "end",
        "escape", "except", "exclusive", "exists", "explain", "fail", "for", "foreign", "from",
        "full", "glob", "group", "having", "if", "ignore", "immediate", "in", "index", "indexed",
        "initially", "inner", "insert", "instead", "intersect", "into", "is", "isnull", "join",
        "key", "left", "like", "limit", "match", "natural", "no", "not", "notnull", "null", "of",
        "offset", "on", "or", "order", "outer", "plan", "pragma", "primary", "query", "raise",
        "recursive", "references", "regexp", "reindex", "release", "rename", "replace",
        "restrict", "right", "rollback", "row", "savepoint", "select", "set", "table", "temp",
        "temporary", "then", "to", "transaction", "trigger", "union", "unique", "update", "using",
        "vacuum", "values", "view", "virtual", "when", "where", "with", "without"};
    return words;
}

QString sqlString(const QString &v)
{
    QString s = v;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString sqlName(const QString &name, bool bracketed)
{
    // Brackets rather than double quotes: SQLite reads an unknown "name" as a text
    // constant, but an unknown [name] is an error.
    if (bracketed || sqliteKeywords().contains(name.toLower()))
        return QLatin1Char('[') + name + QLatin1Char(']');
    return name;
}

// ---- expression tree --------------------------------------------------------

struct Node;
using NodeP = std::shared_ptr<Node>;

struct Node {
    enum Kind { Number, String, Null, Bool, Param, Column, Call, Unary, Binary, Between, In, IsNull, Like, Exists, Subquery, Raw };
    Kind kind = Raw;
    QString text;               // literal SQL, operator, function name, column SQL
    std::vector<NodeP> kids;
    bool negated = false;       // NOT BETWEEN / NOT IN / IS NOT NULL / NOT LIKE
    QString column;             // Column: the bare column name; String: the unquoted value
};

NodeP makeNode(Node::Kind k, QString text = {}, std::vector<NodeP> kids = {})
{
    auto n = std::make_shared<Node>();
    n->kind = k;
    n->text = std::move(text);
    n->kids = std::move(kids);
    return n;
}

bool isComparison(const QString &op)
{
    return op == QLatin1String("=") || op == QLatin1String("<>") || op == QLatin1String("<")
           || op == QLatin1String(">") || op == QLatin1String("<=") || op == QLatin1String(">=");
}

QString flipComparison(const QString &op)
{
    if (op == QLatin1String("<"))
        return QStringLiteral(">");
    if (op == QLatin1String(">"))
        return QStringLiteral("<");
    if (op == QLatin1String("<="))
        return QStringLiteral(">=");
    if (op == QLatin1String(">="))
        return QStringLiteral("<=");
    return op;
}

class Translator {
public:
    explicit Translator(const QString &sql) : m_sql(sql), m_toks(tokenize(sql)) {}

    QString statement()
    {
        QString out;
        if (isWord("select"))
            out = selectCompound();
        else if (isWord("insert"))
            out = insertStatement();
        else if (isWord("update"))
            out = updateStatement();
        else if (isWord("delete"))
            out = deleteStatement();
        else
            fail(QStringLiteral("不支持的语句类型"));
        if (isSymbol(";"))
            advance();
        if (cur().kind != Tok::End)
            fail(QStringLiteral("语句结尾有无法识别的内容"));
        return out;
    }

    // Position (token index) right after SELECT [DISTINCT] [TOP n] of the first select.
    int selectListPosition()
    {
        if (!isWord("select"))
            fail(QStringLiteral("不是查询语句"));
        advance();
        if (isWord("distinct") || isWord("all") || isWord("distinctrow"))
            advance();
        if (isWord("top")) {
            advance();
            advance();
        }
        return cur().pos;
    }

private:
    const QString &m_sql;
    std::vector<Token> m_toks;
    size_t m_i = 0;

    const Token &cur() const { return m_toks[m_i]; }
    const Token &peek(int k = 1) const { return m_toks[std::min(m_i + k, m_toks.size() - 1)]; }
    void advance()
    {
        if (m_i + 1 < m_toks.size())
            ++m_i;
    }
    [[noreturn]] void fail(const QString &what) const { syntaxError(what, m_sql, cur().pos); }

    static bool wordIs(const Token &t, const char *w)
    {
        return t.kind == Tok::Word && t.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
    bool isWord(const char *w) const { return wordIs(cur(), w); }
    bool isSymbol(const char *s) const { return cur().kind == Tok::Symbol && cur().text == QLatin1String(s); }
    void expectWord(const char *w)
    {
        if (!isWord(w))
            fail(QStringLiteral("此处应为 %1").arg(QString::fromLatin1(w).toUpper()));
        advance();
    }
    void expectSymbol(const char *s)
    {
        if (!isSymbol(s))
            fail(QStringLiteral("此处应为 %1").arg(QLatin1String(s)));
        advance();
    }
    bool isReserved(const Token &t) const
    {
        return t.kind == Tok::Word && reservedWords().contains(t.text.toLower());
    }
    bool isName(const Token &t) const { return t.kind == Tok::Bracket || (t.kind == Tok::Word && !isReserved(t)); }

    QString name()
    {
        if (!isName(cur()))
            fail(QStringLiteral("此处应为名称"));
        const QString s = sqlName(cur().text, cur().kind == Tok::Bracket);
        advance();
        return s;
    }

    // ---- statements ---------------------------------------------------------

    QString selectCompound()
    {
        bool hasTop = false;
        QString out = selectCore(hasTop);
        while (isWord("union")) {
            advance();
            QString op = QStringLiteral(" UNION ");
            if (isWord("all")) {
                advance();
                op = QStringLiteral(" UNION ALL ");
            }
            bool top2 = false;
            out += op + selectCore(top2);
            if (hasTop || top2)
                fail(QStringLiteral("UNION 中的 TOP 无法转换"));
        }
        return out;
    }

    QString selectCore(bool &hasTop)
    {
        expectWord("select");
        QString out = QStringLiteral("SELECT ");
        if (isWord("distinct")) {
            advance();
            out += QStringLiteral("DISTINCT ");
        } else if (isWord("all")) {
            advance();
        } else if (isWord("distinctrow")) {
            fail(QStringLiteral("DISTINCTROW 无法转换"));
        }
        QString limit;
        if (isWord("top")) {
            advance();
            if (cur().kind != Tok::Number || cur().text.contains(QLatin1Char('.')))
                fail(QStringLiteral("TOP 后应为整数"));
            limit = cur().text;
            advance();
            if (isWord("percent"))
                fail(QStringLiteral("TOP n PERCENT 无法转换"));
            hasTop = true;
        }
        int exprNo = 1000;
        QStringList items;
        for (;;) {
            items << selectItem(exprNo);
            if (!isSymbol(","))
                break;
            advance();
        }
        out += items.join(QStringLiteral(", "));
        if (isWord("into"))
            fail(QStringLiteral("SELECT ... INTO 无法转换"));
        if (isWord("from")) {
            advance();
            out += QStringLiteral(" FROM ") + fromList();
        }
        if (isWord("where")) {
            advance();
            out += QStringLiteral(" WHERE ") + render(expr());
        }
        if (isWord("group")) {
            advance();
            expectWord("by");
            out += QStringLiteral(" GROUP BY ") + exprList();
        }
        if (isWord("having")) {
            advance();
            out += QStringLiteral(" HAVING ") + render(expr());
        }
        if (isWord("order")) {
            advance();
            expectWord("by");
            QStringList keys;
            for (;;) {
                QString k = render(expr());
                if (isWord("asc")) {
                    advance();
                } else if (isWord("desc")) {
                    advance();
                    k += QStringLiteral(" DESC");
                }
                keys << k;
                if (!isSymbol(","))
                    break;
                advance();
            }
            out += QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
        }
        if (!limit.isEmpty())
            out += QStringLiteral(" LIMIT ") + limit;
        return out;
    }

    QString selectItem(int &exprNo)
    {
        if (isSymbol("*")) {
            advance();
            return QStringLiteral("*");
        }
        if (isName(cur()) && peek().kind == Tok::Symbol && (peek().text == QLatin1String(".") || peek().text == QLatin1String("!"))
            && peek(2).kind == Tok::Symbol && peek(2).text == QLatin1String("*")) {
            const QString t = name();
            advance();
            advance();
            return t + QStringLiteral(".*");
        }
        const NodeP e = expr();
        QString out = render(e);
        if (isWord("as")) {
            advance();
            out += QStringLiteral(" AS ") + aliasName();
        } else if (isName(cur())) {
            out += QStringLiteral(" AS ") + aliasName();
        } else if (e->kind != Node::Column) {
            // Jet names an unnamed expression Expr1000, Expr1001, ...
            out += QStringLiteral(" AS Expr%1").arg(exprNo++);
        }
        return out;
    }

    QString aliasName()
    {
        if (cur().kind == Tok::String) {
            const QString s = sqlName(cur().text, true);
            advance();
            return s;
        }
        return name();
    }

    QString fromList()
    {
        QStringList parts;
        for (;;) {
            parts << joinedTables();
            if (!isSymbol(","))
                break;
            advance();
        }
        return parts.join(QStringLiteral(", "));
    }

    QString joinedTables()
    {
        QString out = tableItem();
        for (;;) {
            QString kind;
            if (isWord("inner")) {
                advance();
                kind = QStringLiteral(" INNER JOIN ");
            } else if (isWord("left")) {
                advance();
                if (isWord("outer"))
                    advance();
                kind = QStringLiteral(" LEFT JOIN ");
            } else if (isWord("right") || isWord("full")) {
                fail(QStringLiteral("RIGHT/FULL JOIN 无法转换"));
            } else if (isWord("join")) {
                kind = QStringLiteral(" INNER JOIN ");
            } else {
                break;
            }
            expectWord("join");
            out += kind + tableItem();
            expectWord("on");
            out += QStringLiteral(" ON ") + render(expr());
        }
        return out;
    }

    QString tableItem()
    {
        QString out;
        if (isSymbol("(")) {
            advance();
            if (isWord("select"))
                out = QLatin1Char('(') + selectCompound() + QLatin1Char(')');
            else
                out = QLatin1Char('(') + joinedTables() + QLatin1Char(')');
            expectSymbol(")");
        } else {
            out = name();
        }
        if (isWord("as")) {
            advance();
            out += QStringLiteral(" AS ") + name();
        } else if (isName(cur())) {
            out += QStringLiteral(" AS ") + name();
        }
        return out;
    }

    QString exprList()
    {
        QStringList parts;
        for (;;) {
            parts << render(expr());
            if (!isSymbol(","))
                break;
            advance();
        }
        return parts.join(QStringLiteral(", "));
    }

    QString insertStatement()
    {
        expectWord("insert");
        expectWord("into");
        QString out = QStringLiteral("INSERT INTO ") + name();
        if (isSymbol("(")) {
            advance();
            QStringList cols;
            for (;;) {
                cols << name();
                if (!isSymbol(","))
                    break;
                advance();
            }
            expectSymbol(")");
            out += QLatin1Char('(') + cols.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        if (isWord("values")) {
            advance();
            expectSymbol("(");
            out += QStringLiteral(" VALUES(") + exprList() + QLatin1Char(')');
            expectSymbol(")");
        } else if (isWord("select")) {
            out += QLatin1Char(' ') + selectCompound();
        } else {
            fail(QStringLiteral("此处应为 VALUES 或 SELECT"));
        }
        return out;
    }

    QString updateStatement()
    {
        expectWord("update");
        const QString table = name();
        if (!isWord("set"))
            fail(QStringLiteral("多表或带别名的 UPDATE 无法转换"));
        advance();
        QStringList sets;
        for (;;) {
            QString col = name();
            if (isSymbol(".") || isSymbol("!")) {
                if (col.compare(table, Qt::CaseInsensitive) != 0)
                    fail(QStringLiteral("UPDATE 的字段属于其他表"));
                advance();
                col = name();
            }
            expectSymbol("=");
            sets << col + QStringLiteral(" = ") + render(expr());
            if (!isSymbol(","))
                break;
            advance();
        }
        QString out = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(QStringLiteral(", "));
        if (isWord("where")) {
            advance();
            out += QStringLiteral(" WHERE ") + render(expr());
        }
        return out;
    }

    QString deleteStatement()
    {
        expectWord("delete");
        if (isSymbol("*")) {
            advance();
        } else if (isName(cur()) && !isWord("from")) {
            name();   // DELETE T.* FROM T
            expectSymbol(".");
            expectSymbol("*");
        }
        expectWord("from");
        QString out = QStringLiteral("DELETE FROM ") + name();
        if (isName(cur()) || isWord("as"))
            fail(QStringLiteral("带别名的 DELETE 无法转换"));
        if (isWord("where")) {
            advance();
            out += QStringLiteral(" WHERE ") + render(expr());
        }
        return out;
    }

    // ---- expressions (Jet precedence, lowest first) ------------------------------

    NodeP expr()
    {
        NodeP l = andExpr();
        while (isWord("or") || isWord("xor") || isWord("eqv") || isWord("imp")) {
            if (!isWord("or"))
                fail(QStringLiteral("%1 运算无法转换").arg(cur().text.toUpper()));
            advance();
            l = makeNode(Node::Binary, QStringLiteral("OR"), {l, andExpr()});
        }
        return l;
    }

    NodeP andExpr()
    {
        NodeP l = notExpr();
        while (isWord("and")) {
            advance();
            l = makeNode(Node::Binary, QStringLiteral("AND"), {l, notExpr()});
        }
        return l;
    }

    NodeP notExpr()
    {
        if (isWord("not")) {
            advance();
            return makeNode(Node::Unary, QStringLiteral("NOT"), {notExpr()});
        }
        return comparison();
    }

    NodeP comparison()
    {
        NodeP l = concat();
        if (cur().kind == Tok::Symbol && isComparison(cur().text)) {
            const QString op = cur().text;
            advance();
            return makeNode(Node::Binary, op, {l, concat()});
        }
        if (isWord("is")) {
            advance();
            auto n = makeNode(Node::IsNull, {}, {l});
            if (isWord("not")) {
                advance();
                n->negated = true;
            }
            expectWord("null");
            return n;
        }
        bool neg = false;
        if (isWord("not") && (wordIs(peek(), "like") || wordIs(peek(), "between") || wordIs(peek(), "in"))) {
            advance();
            neg = true;
        }
        if (isWord("like")) {
            advance();
            auto n = makeNode(Node::Like, {}, {l, concat()});
            n->negated = neg;
            return n;
        }
        if (isWord("between")) {
            advance();
            NodeP lo = concat();
            expectWord("and");
            auto n = makeNode(Node::Between, {}, {l, lo, concat()});
            n->negated = neg;
            return n;
        }
        if (isWord("in")) {
            advance();
            expectSymbol("(");
            auto n = makeNode(Node::In, {}, {l});
            n->negated = neg;
            if (isWord("select")) {
                n->kids.push_back(makeNode(Node::Subquery, selectCompound()));
            } else {
                for (;;) {
                    n->kids.push_back(expr());
                    if (!isSymbol(","))
                        break;
                    advance();
                }
            }
            expectSymbol(")");
            return n;
        }
        if (neg)
            fail(QStringLiteral("NOT 的用法无法转换"));
        return l;
    }

    NodeP concat()
    {
        NodeP l = additive();
        while (isSymbol("&")) {
            advance();
            l = makeNode(Node::Binary, QStringLiteral("&"), {l, additive()});
        }
        return l;
    }

    NodeP additive()
    {
        NodeP l = modulo();
        while (isSymbol("+") || isSymbol("-")) {
            const QString op = cur().text;
            advance();
            l = makeNode(Node::Binary, op, {l, modulo()});
        }
        return l;
    }

    NodeP modulo()
    {
        NodeP l = intDivision();
        while (isWord("mod")) {
            advance();
            l = makeNode(Node::Binary, QStringLiteral("MOD"), {l, intDivision()});
        }
        return l;
    }

    NodeP intDivision()
    {
        NodeP l = multiplicative();
        while (isSymbol("\\")) {
            advance();
            l = makeNode(Node::Binary, QStringLiteral("\\"), {l, multiplicative()});
        }
        return l;
    }

    NodeP multiplicative()
    {
        NodeP l = unary();
        while (isSymbol("*") || isSymbol("/")) {
            const QString op = cur().text;
            advance();
            l = makeNode(Node::Binary, op, {l, unary()});
        }
        return l;
    }

    NodeP unary()
    {
        if (isSymbol("-")) {
            advance();
            return makeNode(Node::Unary, QStringLiteral("-"), {unary()});
        }
        if (isSymbol("+")) {
            advance();
            return unary();
        }
        return power();
    }

    NodeP power()
    {
        NodeP l = primary();
        while (isSymbol("^")) {
            advance();
            l = makeNode(Node::Binary, QStringLiteral("^"), {l, powerOperand()});
        }
        return l;
    }

    NodeP powerOperand()
    {
        if (isSymbol("-")) {
            advance();
            return makeNode(Node::Unary, QStringLiteral("-"), {powerOperand()});
        }
        return primary();
    }

    NodeP primary()
    {
        const Token &t = cur();
        switch (t.kind) {
        case Tok::Number: {
            auto n = makeNode(Node::Number, t.text);
            advance();
            return n;
        }
        case Tok::String: {
            auto n = makeNode(Node::String, sqlString(t.text));
            n->column = t.text;
            advance();
            return n;
        }
        case Tok::Date: {
            auto n = makeNode(Node::String, sqlString(t.text));
            n->column = t.text;
            advance();
            return n;
        }
        case Tok::Param:
            advance();
            return makeNode(Node::Param, QStringLiteral("?"));
        case Tok::Symbol:
            if (t.text == QLatin1String("(")) {
                advance();
                NodeP n;
                if (isWord("select"))
                    n = makeNode(Node::Subquery, selectCompound());
                else
                    n = expr();
                expectSymbol(")");
                return n;
            }
            fail(QStringLiteral("此处应为表达式"));
        case Tok::Bracket:
        case Tok::Word:
            break;
        case Tok::End:
            fail(QStringLiteral("语句不完整"));
        }
        if (t.kind == Tok::Word) {
            if (isWord("null")) {
                advance();
                return makeNode(Node::Null, QStringLiteral("NULL"));
            }
            if (isWord("exists")) {
                advance();
                expectSymbol("(");
                if (!isWord("select"))
                    fail(QStringLiteral("EXISTS 后应为子查询"));
                auto n = makeNode(Node::Exists, selectCompound());
                expectSymbol(")");
                return n;
            }
            const bool followed = peek().kind == Tok::Symbol
                                  && (peek().text == QLatin1String("(") || peek().text == QLatin1String(".")
                                      || peek().text == QLatin1String("!"));
            if (!followed) {
                const QString w = t.text.toLower();
                if (w == QLatin1String("true") || w == QLatin1String("yes")) {
                    advance();
                    return makeNode(Node::Bool, QStringLiteral("-1"));
                }
                if (w == QLatin1String("false") || w == QLatin1String("no")) {
                    advance();
                    return makeNode(Node::Bool, QStringLiteral("0"));
                }
            }
            if (isReserved(t))
                fail(QStringLiteral("此处应为表达式"));
            if (peek().kind == Tok::Symbol && peek().text == QLatin1String("("))
                return call();
        }
        // Column reference: name[.name[.name]]
        QString col = name();
        QString last = col;
        while ((isSymbol(".") || isSymbol("!")) && isName(peek())) {
            advance();
            last = name();
            col += QLatin1Char('.') + last;
        }
        auto n = makeNode(Node::Column, col);
        n->column = last;
        return n;
    }

    NodeP call()
    {
        const QString fname = cur().text.toLower();
        const int pos = cur().pos;
        advance();
        expectSymbol("(");
        std::vector<NodeP> args;
        bool star = false, distinct = false;
        if (isSymbol("*")) {
            advance();
            star = true;
        } else if (!isSymbol(")")) {
            if (isWord("distinct")) {
                advance();
                distinct = true;
            }
            for (;;) {
                args.push_back(expr());
                if (!isSymbol(","))
                    break;
                advance();
            }
        }
        expectSymbol(")");
        return mapFunction(fname, std::move(args), star, distinct, pos);
    }

    NodeP mapFunction(const QString &f, std::vector<NodeP> args, bool star, bool distinct, int pos)
    {
        const int n = int(args.size());
        auto arity = [&](int lo, int hi) {
            if (n < lo || n > hi || star || (distinct && f != QLatin1String("count")))
                syntaxError(QStringLiteral("函数 %1 的参数不对").arg(f), m_sql, pos);
        };
        auto callNode = [&](const QString &sqliteName) {
            auto c = makeNode(Node::Call, sqliteName, std::move(args));
            c->negated = distinct;
            return c;
        };
        if (f == QLatin1String("count")) {
            if (star) {
                if (n)
                    syntaxError(QStringLiteral("函数 count 的参数不对"), m_sql, pos);
                return makeNode(Node::Raw, QStringLiteral("count(*)"));
            }
            if (n != 1)
                syntaxError(QStringLiteral("函数 count 的参数不对"), m_sql, pos);
            return callNode(QStringLiteral("count"));
        }
        if (star)
            syntaxError(QStringLiteral("函数 %1 的参数不对").arg(f), m_sql, pos);
        struct Map {
            const char *jet;
            const char *sqlite;
            int lo, hi;
        };
        static const Map direct[] = {
            {"sum", "sum", 1, 1},           {"avg", "avg", 1, 1},           {"min", "min", 1, 1},
            {"max", "max", 1, 1},           {"abs", "abs", 1, 1},           {"cdbl", "cdbl", 1, 1},
            {"format", "format", 1, 2},     {"now", "now", 0, 0},           {"date", "jet_date", 0, 0},
            {"datediff", "datediff", 3, 3}, {"dateadd", "dateadd", 3, 3},   {"weekday", "weekday", 1, 2},
            {"day", "day", 1, 1},           {"month", "month", 1, 1},       {"year", "year", 1, 1},
            {"hour", "hour", 1, 1},         {"minute", "minute", 1, 1},     {"second", "second", 1, 1},
            {"instr", "instr", 2, 3},       {"len", "length", 1, 1},        {"trim", "trim", 1, 1},
            {"ltrim", "ltrim", 1, 1},       {"rtrim", "rtrim", 1, 1},       {"ucase", "jet_ucase", 1, 1},
            {"lcase", "jet_lcase", 1, 1},   {"mid", "substr", 2, 3},        {"right", "jet_right", 2, 2},
            {"cstr", "jet_cstr", 1, 1},     {"clng", "jet_clng", 1, 1},     {"cint", "jet_clng", 1, 1},
            {"round", "jet_round", 1, 2},
        };
        for (const Map &m : direct) {
            if (f == QLatin1String(m.jet)) {
                arity(m.lo, m.hi);
                return callNode(QLatin1String(m.sqlite));
            }
        }
        if (f == QLatin1String("iif")) {
            arity(3, 3);
            return makeNode(Node::Call, QStringLiteral("#iif"), std::move(args));
        }
        if (f == QLatin1String("isnull")) {
            arity(1, 1);
            return makeNode(Node::IsNull, {}, std::move(args));
        }
        if (f == QLatin1String("left")) {
            arity(2, 2);
            args.insert(args.begin() + 1, makeNode(Node::Number, QStringLiteral("1")));
            return callNode(QStringLiteral("substr"));
        }
        syntaxError(QStringLiteral("不支持的函数 %1").arg(f), m_sql, pos);
    }

    // ---- emitting SQLite text ------------------------------------------------

    static bool isColumn(const NodeP &n) { return n->kind == Node::Column; }

    // Neither side a column: the comparison would use BINARY; Jet compares text
    // case-insensitively.
    static QString collated(const NodeP &l, const std::vector<NodeP> &others, const QString &lsql)
    {
        auto plain = [](const NodeP &x) {
            return isColumn(x) || x->kind == Node::Number || x->kind == Node::Null || x->kind == Node::Bool;
        };
        if (plain(l))
            return lsql;
        for (const NodeP &o : others)
            if (plain(o))
                return lsql;
        return lsql + QStringLiteral(" COLLATE NOCASE");
    }

    // format(column, 'yyyy-MM-dd') or format(column, 'yyyy-MM-dd HH:MM:SS'): 1 or 2, else 0.
    static int dateFormatOfColumn(const NodeP &n)
    {
        if (n->kind != Node::Call || n->text != QLatin1String("format") || n->kids.size() != 2)
            return 0;
        if (!isColumn(n->kids[0]) || n->kids[1]->kind != Node::String)
            return 0;
        const QString p = n->kids[1]->column;
        if (p.compare(QLatin1String("yyyy-MM-dd"), Qt::CaseInsensitive) == 0)
            return 1;
        if (p == QLatin1String("yyyy-MM-dd HH:MM:SS") || p == QLatin1String("yyyy-MM-dd HH:mm:ss")
            || p == QLatin1String("yyyy-mm-dd hh:mm:ss") || p == QLatin1String("yyyy-mm-dd hh:nn:ss")
            || p == QLatin1String("yyyy-MM-dd HH:nn:ss"))
            return 2;
        return 0;
    }

    static QDate dayLiteral(const NodeP &n)
    {
        if (n->kind != Node::String || n->column.size() != 10)
            return {};
        return QDate::fromString(n->column, QStringLiteral("yyyy-MM-dd"));
    }

    static bool momentLiteral(const NodeP &n)
    {
        return n->kind == Node::String && n->column.size() == 19
               && QDateTime::fromString(n->column, QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid();
    }

    static QString dayText(const QDate &d) { return sqlString(d.toString(QStringLiteral("yyyy-MM-dd"))); }

    // The stored date text sorts like its format(...,'yyyy-MM-dd'); comparing the column
    // itself lets SQLite use its index. Empty when the rewrite does not apply.
    static QString dateRange(const NodeP &l, const QString &opIn, const NodeP &r)
    {
        NodeP f = l, lit = r;
        QString op = opIn;
        if (!dateFormatOfColumn(f)) {
            std::swap(f, lit);
            op = flipComparison(op);
        }
        const int kind = dateFormatOfColumn(f);
        if (!kind)
            return {};
        const QString col = f->kids[0]->text;
        if (kind == 2) {
            if (!momentLiteral(lit) || op == QLatin1String("<>"))
                return {};
            return QStringLiteral("(%1 %2 %3)").arg(col, op, lit->text);
        }
        const QDate d = dayLiteral(lit);
        if (!d.isValid())
            return {};
        const QString from = dayText(d), next = dayText(d.addDays(1));
        if (op == QLatin1String(">="))
            return QStringLiteral("(%1 >= %2)").arg(col, from);
        if (op == QLatin1String(">"))
            return QStringLiteral("(%1 >= %2)").arg(col, next);
        if (op == QLatin1String("<="))
            return QStringLiteral("(%1 < %2)").arg(col, next);
        if (op == QLatin1String("<"))
            return QStringLiteral("(%1 < %2)").arg(col, from);
        if (op == QLatin1String("="))
            return QStringLiteral("(%1 >= %2 AND %1 < %3)").arg(col, from, next);
        return {};
    }

    QString render(const NodeP &n)
    {
        switch (n->kind) {
        case Node::Number:
        case Node::String:
        case Node::Null:
        case Node::Bool:
        case Node::Param:
        case Node::Column:
        case Node::Raw:
            return n->text;
        case Node::Subquery:
            return QLatin1Char('(') + n->text + QLatin1Char(')');
        case Node::Exists:
            return QStringLiteral("EXISTS (") + n->text + QLatin1Char(')');
        case Node::IsNull:
            return QStringLiteral("(%1 IS %2NULL)").arg(render(n->kids[0]), n->negated ? QStringLiteral("NOT ") : QString());
        case Node::Like:
            // like(pattern, value) is Jet's LIKE, registered on the connection.
            return QStringLiteral("(%1%2 LIKE %3)")
                .arg(n->negated ? QStringLiteral("NOT ") : QString(), render(n->kids[0]), render(n->kids[1]));
        case Node::Between: {
            if (dateFormatOfColumn(n->kids[0]) == 1) {
                const QString lo = dateRange(n->kids[0], QStringLiteral(">="), n->kids[1]);
                const QString hi = dateRange(n->kids[0], QStringLiteral("<="), n->kids[2]);
                if (!lo.isEmpty() && !hi.isEmpty())
                    return QStringLiteral("(%1(%2 AND %3))").arg(n->negated ? QStringLiteral("NOT ") : QString(), lo, hi);
            }
            return QStringLiteral("(%1 %2BETWEEN %3 AND %4)")
                .arg(collated(n->kids[0], {n->kids[1], n->kids[2]}, render(n->kids[0])),
                     n->negated ? QStringLiteral("NOT ") : QString(), render(n->kids[1]), render(n->kids[2]));
        }
        case Node::In: {
            QStringList list;
            std::vector<NodeP> rest(n->kids.begin() + 1, n->kids.end());
            for (const NodeP &k : rest)
                list << (k->kind == Node::Subquery ? k->text : render(k));
            const bool sub = rest.size() == 1 && rest[0]->kind == Node::Subquery;
            const QString left = sub ? render(n->kids[0]) : collated(n->kids[0], rest, render(n->kids[0]));
            return QStringLiteral("(%1 %2IN (%3))")
                .arg(left, n->negated ? QStringLiteral("NOT ") : QString(), list.join(QStringLiteral(", ")));
        }
        case Node::Unary:
            if (n->text == QLatin1String("NOT"))
                return QStringLiteral("(NOT %1)").arg(render(n->kids[0]));
            return QStringLiteral("(- %1)").arg(render(n->kids[0]));
        case Node::Call:
            return emitCall(n);
        case Node::Binary:
            return emitBinary(n);
        }
        return {};
    }

    QString emitCall(const NodeP &n)
    {
        QStringList args;
        for (const NodeP &k : n->kids)
            args << render(k);
        if (n->text == QLatin1String("#iif"))
            return QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)").arg(args[0], args[1], args[2]);
        return n->text + QLatin1Char('(') + (n->negated ? QStringLiteral("DISTINCT ") : QString())
               + args.join(QStringLiteral(", ")) + QLatin1Char(')');
    }

    QString emitBinary(const NodeP &n)
    {
        const QString &op = n->text;
        const NodeP &l = n->kids[0];
        const NodeP &r = n->kids[1];
        if (isComparison(op)) {
            const QString range = dateRange(l, op, r);
            if (!range.isEmpty())
                return range;
            // Yes/No: any non-zero value is True, so compare with 0.
            if ((l->kind == Node::Bool || r->kind == Node::Bool) && (op == QLatin1String("=") || op == QLatin1String("<>"))) {
                const NodeP &b = l->kind == Node::Bool ? l : r;
                const NodeP &v = l->kind == Node::Bool ? r : l;
                const bool wantTrue = (b->text == QLatin1String("-1")) == (op == QLatin1String("="));
                return QStringLiteral("(%1 %2 0)").arg(render(v), wantTrue ? QStringLiteral("<>") : QStringLiteral("="));
            }
            return QStringLiteral("(%1 %2 %3)").arg(collated(l, {r}, render(l)), op, render(r));
        }
        const QString a = render(l), b = render(r);
        if (op == QLatin1String("AND") || op == QLatin1String("OR"))
            return QStringLiteral("(%1 %2 %3)").arg(a, op, b);
        if (op == QLatin1String("+")) {
            if (l->kind == Node::Number && r->kind == Node::Number)
                return QStringLiteral("(%1 + %2)").arg(a, b);
            if (l->kind == Node::String && r->kind == Node::String)
                return QStringLiteral("(%1 || %2)").arg(a, b);
            return QStringLiteral("jet_add(%1, %2)").arg(a, b);
        }
        if (op == QLatin1String("-") || op == QLatin1String("*"))
            return QStringLiteral("(%1 %2 %3)").arg(a, op, b);
        if (op == QLatin1String("/"))
            return QStringLiteral("(%1 * 1.0 / %2)").arg(a, b);
        if (op == QLatin1String("&"))
            return QStringLiteral("jet_concat(%1, %2)").arg(a, b);
        if (op == QLatin1String("MOD"))
            return QStringLiteral("jet_mod(%1, %2)").arg(a, b);
        if (op == QLatin1String("\\"))
            return QStringLiteral("jet_intdiv(%1, %2)").arg(a, b);
        if (op == QLatin1String("^"))
            return QStringLiteral("jet_pow(%1, %2)").arg(a, b);
        fail(QStringLiteral("运算符 %1 无法转换").arg(op));
    }
};

} // namespace

// ============================================================================
// Scalar functions
// ============================================================================

namespace {

std::function<QDateTime()> &clockSource()
{
    static std::function<QDateTime()> fn;
    return fn;
}

QDateTime clockNow()
{
    return clockSource() ? clockSource()() : QDateTime::currentDateTime();
}

// One argument as Jet sees it; text points into SQLite's (or the caller's) memory.
struct Arg {
    int type = SQLITE_NULL;
    qint64 integer = 0;
    double num = 0;
    const char *text = nullptr;
    int len = 0;
    bool isNull() const { return type == SQLITE_NULL; }
    bool isNumber() const { return type == SQLITE_INTEGER || type == SQLITE_FLOAT; }
};

Arg argOf(sqlite3_value *v)
{
    Arg a;
    a.type = sqlite3_value_type(v);
    switch (a.type) {
    case SQLITE_INTEGER:
        a.integer = sqlite3_value_int64(v);
        a.num = double(a.integer);
        break;
    case SQLITE_FLOAT:
        a.num = sqlite3_value_double(v);
        break;
    case SQLITE_NULL:
        break;
    default:
        a.type = SQLITE_TEXT;
        a.text = reinterpret_cast<const char *>(sqlite3_value_text(v));
        a.len = sqlite3_value_bytes(v);
        if (!a.text)
            a.text = "";
    }
    return a;
}

QByteArray numberText(double d)
{
    if (std::isfinite(d) && std::fabs(d) < 1e15 && d == std::trunc(d))
        return QByteArray::number(qint64(d));
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return QByteArray(buf);
}

// Jet's text of a non-Null value.
QByteArray argText(const Arg &a)
{
    switch (a.type) {
    case SQLITE_INTEGER:
        return QByteArray::number(a.integer);
    case SQLITE_FLOAT:
        return numberText(a.num);
    case SQLITE_NULL:
        return {};
    default:
        return QByteArray(a.text, a.len);
    }
}

QString argString(const Arg &a)
{
    return QString::fromUtf8(argText(a));
}

bool parseNumber(const char *p, int n, double &out)
{
    QByteArray s = QByteArray(p, n).trimmed();
    if (s.isEmpty())
        return false;
    bool ok = false;
    out = s.toDouble(&ok);
    if (!ok && s.contains(',')) {
        s.replace(",", "");
        out = s.toDouble(&ok);
    }
    return ok && std::isfinite(out);
}

bool argNumber(const Arg &a, double &out)
{
    if (a.isNumber()) {
        out = a.num;
        return true;
    }
    if (a.type == SQLITE_TEXT)
        return parseNumber(a.text, a.len, out);
    return false;
}

// ---- moments ----------------------------------------------------------------

struct Moment {
    QDate date;
    int secs = 0;   // seconds since midnight
    qint64 absSeconds() const { return date.toJulianDay() * 86400 + secs; }
};

int readInt(const char *&p, const char *end, int maxDigits)
{
    int v = 0, n = 0;
    while (p < end && n < maxDigits && *p >= '0' && *p <= '9') {
        v = v * 10 + (*p - '0');
        ++p;
        ++n;
    }
    return n ? v : -1;
}

// "yyyy-M-d[ H:m[:s]]" (also / or . between the date parts). A day past the end of
// its month rolls over, as Jet's DateSerial does: 2026-02-29 is 2026-03-01.
bool parseMoment(const char *p, int n, Moment &m)
{
    const char *end = p + n;
    while (p < end && *p == ' ')
        ++p;
    while (end > p && end[-1] == ' ')
        --end;
    const char *start = p;
    const int y = readInt(p, end, 4);
    if (y < 0 || p - start != 4 || p >= end)
        return false;
    const char sep = *p;
    if (sep != '-' && sep != '/' && sep != '.')
        return false;
    ++p;
    const int mo = readInt(p, end, 2);
    if (mo < 1 || mo > 12 || p >= end || *p != sep)
        return false;
    ++p;
    const int d = readInt(p, end, 2);
    if (d < 1 || d > 31)
        return false;
    int h = 0, mi = 0, s = 0;
    if (p < end) {
        if (*p != ' ' && *p != 'T')
            return false;
        while (p < end && (*p == ' ' || *p == 'T'))
            ++p;
        h = readInt(p, end, 2);
        if (h < 0 || h > 23 || p >= end || *p != ':')
            return false;
        ++p;
        mi = readInt(p, end, 2);
        if (mi < 0 || mi > 59)
            return false;
        if (p < end && *p == ':') {
            ++p;
            s = readInt(p, end, 2);
            if (s < 0 || s > 59)
                return false;
            if (p < end && *p == '.') {   // fractions of a second are dropped
                ++p;
                while (p < end && *p >= '0' && *p <= '9')
                    ++p;
            }
        }
        if (p != end)
            return false;
    }
    m.date = QDate(y, mo, 1).addDays(d - 1);
    m.secs = h * 3600 + mi * 60 + s;
    return m.date.isValid();
}

// Numbers are Jet date serials: days since 1899-12-30, the fraction the time of day.
bool argMoment(const Arg &a, Moment &m)
{
    if (a.type == SQLITE_TEXT)
        return parseMoment(a.text, a.len, m);
    if (a.isNumber()) {
        if (!std::isfinite(a.num) || std::fabs(a.num) > 3e6)
            return false;
        const double days = std::floor(a.num);
        m.date = QDate(1899, 12, 30).addDays(qint64(days));
        m.secs = int(std::lround((a.num - days) * 86400.0));
        if (m.secs >= 86400) {
            m.date = m.date.addDays(1);
            m.secs -= 86400;
        }
        return true;
    }
    return false;
}

Moment momentOf(const QDateTime &dt)
{
    Moment m;
    m.date = dt.date();
    const QTime t = dt.time();
    m.secs = t.hour() * 3600 + t.minute() * 60 + t.second();
    return m;
}

QByteArray momentText(const Moment &m)
{
    int y, mo, d;
    m.date.getDate(&y, &mo, &d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, m.secs / 3600, m.secs / 60 % 60,
                  m.secs % 60);
    return QByteArray(buf);
}

Moment addSeconds(Moment m, qint64 secs)
{
    const qint64 total = m.secs + secs;
    qint64 days = total / 86400;
    qint64 rest = total % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    m.date = m.date.addDays(days);
    m.secs = int(rest);
    return m;
}

// ---- format -------------------------------------------------------------------

struct FormatSpec {
    enum Kind { General, Date, Number, Invalid } kind = General;
    QString error;
    // Date: parts of kind 'L' (literal), 'y', 'M' (month), 'd', 'h', 'n' (minute), 's'
    struct Part {
        char kind;
        int width;
        QByteArray literal;
    };
    std::vector<Part> parts;
    // Number
    QByteArray prefix, suffix;
    int intMin = 0, decMin = 0, decMax = 0;
    bool grouping = false, point = false, percent = false;
};

// Literal characters of a pattern: "quoted text" and \x stand for themselves.
bool takeLiteral(const QString &p, int &i, QString &lit)
{
    const QChar c = p[i];
    if (c == QLatin1Char('"')) {
        const int j = p.indexOf(QLatin1Char('"'), i + 1);
        lit += p.mid(i + 1, (j < 0 ? p.size() : j) - i - 1);
        i = j < 0 ? p.size() : j + 1;
        return true;
    }
    if (c == QLatin1Char('\\') && i + 1 < p.size()) {
        lit += p[i + 1];
        i += 2;
        return true;
    }
    return false;
}

FormatSpec compileNumber(const QString &p)
{
    FormatSpec f;
    f.kind = FormatSpec::Number;
    QString prefix, suffix;
    int i = 0;
    const int n = p.size();
    auto numberChar = [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.') || c == QLatin1Char(','); };
    while (i < n && !numberChar(p[i])) {
        if (!takeLiteral(p, i, prefix))
            prefix += p[i++];
    }
    bool afterPoint = false;
    while (i < n && numberChar(p[i])) {
        const QChar c = p[i++];
        if (c == QLatin1Char('.')) {
            afterPoint = f.point = true;
        } else if (c == QLatin1Char(',')) {
            if (!afterPoint)
                f.grouping = true;
        } else if (afterPoint) {
            ++f.decMax;
            if (c == QLatin1Char('0'))
                f.decMin = f.decMax;
        } else if (c == QLatin1Char('0')) {
            ++f.intMin;
        }
    }
    while (i < n) {
        if (!takeLiteral(p, i, suffix))
            suffix += p[i++];
    }
    if (prefix.contains(QLatin1Char('0')) || suffix.contains(QLatin1Char('0')) || suffix.contains(QLatin1Char('#'))) {
        f.kind = FormatSpec::Invalid;
        f.error = p;
    }
    f.percent = prefix.contains(QLatin1Char('%')) || suffix.contains(QLatin1Char('%'));
    f.prefix = prefix.toUtf8();
    f.suffix = suffix.toUtf8();
    return f;
}

FormatSpec compileDate(const QString &p)
{
    FormatSpec f;
    f.kind = FormatSpec::Date;
    QString lit;
    auto flush = [&] {
        if (!lit.isEmpty())
            f.parts.push_back({'L', 0, lit.toUtf8()});
        lit.clear();
    };
    int i = 0;
    const int n = p.size();
    while (i < n) {
        if (takeLiteral(p, i, lit))
            continue;
        const QChar c = p[i];
        const char lower = char(c.toLower().toLatin1());
        if (c.unicode() < 128 && std::strchr("ymdhns", lower) && lower) {
            int j = i;
            while (j < n && p[j].toLower() == c.toLower())
                ++j;
            const int w = j - i;
            flush();
            const char kind = lower == 'm' ? 'M' : lower;
            if ((kind == 'M' || kind == 'd') && w > 2) {
                f.kind = FormatSpec::Invalid;
                f.error = p;
                return f;
            }
            f.parts.push_back({kind, w, {}});
            i = j;
        } else {
            lit += c;
            ++i;
        }
    }
    flush();
    // An m right after an hour (a ':' between allowed), or right before seconds, is minutes.
    auto onlyColon = [](const FormatSpec::Part &x) { return x.kind == 'L' && x.literal == ":"; };
    for (size_t k = 0; k < f.parts.size(); ++k) {
        if (f.parts[k].kind != 'M')
            continue;
        size_t b = k;
        if (b > 0 && onlyColon(f.parts[b - 1]))
            --b;
        const bool afterHour = b > 0 && f.parts[b - 1].kind == 'h';
        size_t a = k + 1;
        if (a < f.parts.size() && onlyColon(f.parts[a]))
            ++a;
        const bool beforeSecond = a < f.parts.size() && f.parts[a].kind == 's';
        if (afterHour || beforeSecond)
            f.parts[k].kind = 'n';
    }
    return f;
}

FormatSpec compileFormat(const QString &pattern)
{
    const QString named = pattern.trimmed().toLower();
    if (named.isEmpty() || named == QLatin1String("general number"))
        return {};
    if (named == QLatin1String("fixed"))
        return compileNumber(QStringLiteral("0.00"));
    if (named == QLatin1String("standard"))
        return compileNumber(QStringLiteral("#,##0.00"));
    if (named == QLatin1String("percent"))
        return compileNumber(QStringLiteral("0.00%"));
    if (named == QLatin1String("short date"))
        return compileDate(QStringLiteral("yyyy-MM-dd"));
    if (named == QLatin1String("long time"))
        return compileDate(QStringLiteral("HH:mm:ss"));
    if (named == QLatin1String("short time"))
        return compileDate(QStringLiteral("HH:mm"));
    if (named == QLatin1String("general date"))
        return compileDate(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (pattern.contains(QLatin1Char(';'))) {
        FormatSpec f;
        f.kind = FormatSpec::Invalid;
        f.error = pattern;
        return f;
    }
    // Digits placeholders make a number pattern (outside quotes).
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char('\\'))
            ++i;
        else if (!quoted && (c == QLatin1Char('0') || c == QLatin1Char('#')))
            return compileNumber(pattern);
    }
    return compileDate(pattern);
}

// Writes v with at least `width` digits; returns the new end.
char *putNumber(char *p, int v, int width)
{
    char tmp[12];
    int n = 0;
    do {
        tmp[n++] = char('0' + v % 10);
        v /= 10;
    } while (v > 0);
    while (n < width)
        tmp[n++] = '0';
    while (n > 0)
        *p++ = tmp[--n];
    return p;
}

QByteArray formatMoment(const Moment &m, const FormatSpec &f)
{
    int y, mo, d;
    m.date.getDate(&y, &mo, &d);
    QByteArray out;
    for (const FormatSpec::Part &p : f.parts) {
        if (p.kind == 'L') {
            out += p.literal;
            continue;
        }
        char buf[16];
        char *e = buf;
        const int w = std::min(p.width, 2);
        switch (p.kind) {
        case 'y':
            e = p.width >= 3 ? putNumber(buf, y, 4) : p.width == 2 ? putNumber(buf, y % 100, 2) : putNumber(buf, m.date.dayOfYear(), 1);
            break;
        case 'M':
            e = putNumber(buf, mo, w);
            break;
        case 'd':
            e = putNumber(buf, d, w);
            break;
        case 'h':
            e = putNumber(buf, m.secs / 3600, w);
            break;
        case 'n':
            e = putNumber(buf, m.secs / 60 % 60, w);
            break;
        case 's':
            e = putNumber(buf, m.secs % 60, w);
            break;
        }
        out.append(buf, int(e - buf));
    }
    return out;
}

// Rounds half away from zero on the value's 15 significant digits, as Jet does, so
// that 2.675 gives 2.68.
QByteArray formatNumber(double v, const FormatSpec &f)
{
    if (!std::isfinite(v))
        return numberText(v);
    if (f.percent)
        v *= 100;
    const bool negative = v < 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    QByteArray digits;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    int pointPos = std::atoi(p + 1) + 1;
    digits.prepend('0');
    ++pointPos;
    while (pointPos < 1) {
        digits.prepend('0');
        ++pointPos;
    }
    const int keep = pointPos + f.decMax;
    if (keep < digits.size()) {
        const bool up = digits[keep] >= '5';
        digits.truncate(keep);
        for (int k = keep - 1; up && k >= 0; --k) {
            if (digits[k] == '9') {
                digits[k] = '0';
            } else {
                digits[k] = char(digits[k] + 1);
                break;
            }
        }
    } else {
        digits.append(QByteArray(keep - digits.size(), '0'));
    }
    QByteArray intPart = digits.left(pointPos);
    QByteArray frac = digits.mid(pointPos);
    int lead = 0;
    while (lead < intPart.size() && intPart[lead] == '0')
        ++lead;
    intPart = intPart.mid(lead);
    while (frac.size() > f.decMin && frac.endsWith('0'))
        frac.chop(1);
    if (intPart.size() < f.intMin)
        intPart.prepend(QByteArray(f.intMin - intPart.size(), '0'));
    if (f.grouping && intPart.size() > 3) {
        QByteArray g;
        for (int k = 0; k < intPart.size(); ++k) {
            if (k > 0 && (intPart.size() - k) % 3 == 0)
                g += ',';
            g += intPart[k];
        }
        intPart = g;
    }
    const bool zero = !std::any_of(digits.begin(), digits.end(), [](char c) { return c != '0'; });
    QByteArray out;
    if (negative && !zero)
        out += '-';
    out += f.prefix + intPart;
    if (f.point)
        out += '.' + frac;
    out += f.suffix;
    return out;
}

enum class Outcome { Null, Text, Error };

Outcome formatArg(const Arg &a, const FormatSpec &f, QByteArray &out)
{
    if (a.isNull())
        return Outcome::Null;
    switch (f.kind) {
    case FormatSpec::Invalid:
        out = "format: 不支持的格式 " + f.error.toUtf8();
        return Outcome::Error;
    case FormatSpec::General:
        out = argText(a);
        return Outcome::Text;
    case FormatSpec::Number: {
        double v;
        if (argNumber(a, v))
            out = formatNumber(v, f);
        else
            out = argText(a);   // Jet returns a text it cannot read as a number unchanged
        return Outcome::Text;
    }
    case FormatSpec::Date: {
        Moment m;
        if (argMoment(a, m))
            out = formatMoment(m, f);
        else
            out = argText(a);
        return Outcome::Text;
    }
    }
    return Outcome::Null;
}

// ---- SQLite glue ----------------------------------------------------------------

void resultText(sqlite3_context *ctx, const QByteArray &s)
{
    sqlite3_result_text(ctx, s.constData(), s.size(), SQLITE_TRANSIENT);
}

void resultString(sqlite3_context *ctx, const QString &s)
{
    resultText(ctx, s.toUtf8());
}

void resultError(sqlite3_context *ctx, const QString &s)
{
    const QByteArray e = s.toUtf8();
    sqlite3_result_error(ctx, e.constData(), e.size());
}

void resultNumber(sqlite3_context *ctx, double v, bool integral)
{
    if (integral && std::fabs(v) < 9e15)
        sqlite3_result_int64(ctx, qint64(v));
    else
        sqlite3_result_double(ctx, v);
}

bool anyNull(int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

// Jet's truth of a value: Null is false.
bool truth(const Arg &a, bool &ok)
{
    ok = true;
    if (a.isNull())
        return false;
    double v;
    if (argNumber(a, v))
        return v != 0;
    const QByteArray t = QByteArray(a.text, a.len).trimmed().toLower();
    if (t == "true" || t == "yes")
        return true;
    if (t == "false" || t == "no")
        return false;
    ok = false;
    return false;
}

void fnIif(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    bool ok;
    const bool c = truth(argOf(argv[0]), ok);
    if (!ok)
        return resultError(ctx, QStringLiteral("iif: 条件不是真假值"));
    sqlite3_result_value(ctx, argv[c ? 1 : 2]);
}

void fnIsNull(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    sqlite3_result_int(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? 1 : 0);
}

void fnCdbl(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Arg a = argOf(argv[0]);
    if (a.isNull())
        return sqlite3_result_null(ctx);
    double v;
    if (!argNumber(a, v))
        return resultError(ctx, QStringLiteral("类型不匹配: CDbl('%1')").arg(argString(a)));
    sqlite3_result_double(ctx, v);
}

void fnClng(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Arg a = argOf(argv[0]);
    if (a.isNull())
        return sqlite3_result_null(ctx);
    double v;
    if (!argNumber(a, v))
        return resultError(ctx, QStringLiteral("类型不匹配: CLng('%1')").arg(argString(a)));
    sqlite3_result_int64(ctx, qint64(std::nearbyint(v)));   // halves to even
}

void fnRound(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    double v, places = 0;
    if (!argNumber(argOf(argv[0]), v) || (argc > 1 && !argNumber(argOf(argv[1]), places)))
        return resultError(ctx, QStringLiteral("类型不匹配: Round"));
    const double scale = std::pow(10.0, int(places));
    // Jet rounds halves to even; the scaled value is first cut to 15 digits.
    const double scaled = std::stod(numberText(v * scale).toStdString());
    const double r = std::nearbyint(scaled) / scale;
    resultNumber(ctx, r, places <= 0);
}

void fnCstr(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Arg a = argOf(argv[0]);
    if (a.isNull())
        return sqlite3_result_null(ctx);
    resultText(ctx, argText(a));
}

// A compiled pattern kept by SQLite while the argument stays the same constant.
template <class T, class Compile>
const T *cachedArg(sqlite3_context *ctx, int arg, std::unique_ptr<T> &local, Compile compile)
{
    if (auto *c = static_cast<T *>(sqlite3_get_auxdata(ctx, arg)))
        return c;
    local = std::make_unique<T>(compile());
    sqlite3_set_auxdata(ctx, arg, new T(*local), [](void *p) { delete static_cast<T *>(p); });
    return local.get();
}

void fnFormat(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    const Arg a = argOf(argv[0]);
    if (a.isNull())
        return sqlite3_result_null(ctx);
    static const FormatSpec general;
    const FormatSpec *spec = &general;
    std::unique_ptr<FormatSpec> local;
    if (argc > 1 && sqlite3_value_type(argv[1]) != SQLITE_NULL) {
        spec = cachedArg(ctx, 1, local, [&] {
            return compileFormat(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[1])),
                                                   sqlite3_value_bytes(argv[1])));
        });
    }
    QByteArray out;
    switch (formatArg(argOf(argv[0]), *spec, out)) {
    case Outcome::Null:
        sqlite3_result_null(ctx);
        break;
    case Outcome::Error:
        sqlite3_result_error(ctx, out.constData(), out.size());
        break;
    case Outcome::Text:
        resultText(ctx, out);
        break;
    }
}

void fnNow(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, momentText(momentOf(clockNow())));
}

void fnDate(sqlite3_context *ctx, int, sqlite3_value **)
{
    Moment m = momentOf(clockNow());
    m.secs = 0;
    resultText(ctx, momentText(m));
}

QByteArray intervalOf(sqlite3_value *v)
{
    return QByteArray(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v)).trimmed().toLower();
}

void fnDateDiff(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (anyNull(3, argv))
        return sqlite3_result_null(ctx);
    Moment a, b;
    if (!argMoment(argOf(argv[1]), a) || !argMoment(argOf(argv[2]), b))
        return sqlite3_result_null(ctx);
    const QByteArray iv = intervalOf(argv[0]);
    int ya, ma, da, yb, mb, db;
    a.date.getDate(&ya, &ma, &da);
    b.date.getDate(&yb, &mb, &db);
    qint64 r;
    if (iv == "d" || iv == "y")
        r = a.date.daysTo(b.date);   // calendar days: midnights crossed
    else if (iv == "yyyy")
        r = yb - ya;
    else if (iv == "q")
        r = (yb * 4 + (mb - 1) / 3) - (ya * 4 + (ma - 1) / 3);
    else if (iv == "m")
        r = (yb * 12 + mb) - (ya * 12 + ma);
    else if (iv == "w")
        r = a.date.daysTo(b.date) / 7;
    else if (iv == "ww") {
        auto sunday = [](const QDate &d) { return d.toJulianDay() - d.dayOfWeek() % 7; };
        r = (sunday(b.date) - sunday(a.date)) / 7;
    } else if (iv == "h")
        r = qint64(std::floor(b.absSeconds() / 3600.0)) - qint64(std::floor(a.absSeconds() / 3600.0));
    else if (iv == "n")
        r = qint64(std::floor(b.absSeconds() / 60.0)) - qint64(std::floor(a.absSeconds() / 60.0));
    else if (iv == "s")
        r = b.absSeconds() - a.absSeconds();
    else
        return resultError(ctx, QStringLiteral("datediff: 无效的时间间隔 '%1'").arg(QString::fromUtf8(iv)));
    sqlite3_result_int64(ctx, r);
}

void fnDateAdd(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (anyNull(3, argv))
        return sqlite3_result_null(ctx);
    double nd;
    Moment m;
    if (!argNumber(argOf(argv[1]), nd))
        return resultError(ctx, QStringLiteral("dateadd: 数量不是数字"));
    if (!argMoment(argOf(argv[2]), m))
        return sqlite3_result_null(ctx);
    const QByteArray iv = intervalOf(argv[0]);
    const qint64 n = qint64(std::trunc(nd));
    if (iv == "yyyy")
        m.date = m.date.addYears(int(n));   // 29 Feb plus a year is 28 Feb
    else if (iv == "q")
        m.date = m.date.addMonths(int(n * 3));
    else if (iv == "m")
        m.date = m.date.addMonths(int(n));
    else if (iv == "d" || iv == "y" || iv == "w")
        m.date = m.date.addDays(n);
    else if (iv == "ww")
        m.date = m.date.addDays(n * 7);
    else if (iv == "h")
        m = addSeconds(m, n * 3600);
    else if (iv == "n")
        m = addSeconds(m, n * 60);
    else if (iv == "s")
        m = addSeconds(m, n);
    else
        return resultError(ctx, QStringLiteral("dateadd: 无效的时间间隔 '%1'").arg(QString::fromUtf8(iv)));
    if (!m.date.isValid())
        return sqlite3_result_null(ctx);
    resultText(ctx, momentText(m));
}

template <int Part>
void fnDatePart(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    Moment m;
    if (!argMoment(argOf(argv[0]), m))
        return sqlite3_result_null(ctx);
    int y, mo, d;
    m.date.getDate(&y, &mo, &d);
    const int values[] = {y, mo, d, m.secs / 3600, m.secs / 60 % 60, m.secs % 60};
    sqlite3_result_int(ctx, values[Part]);
}

void fnWeekday(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    Moment m;
    if (!argMoment(argOf(argv[0]), m))
        return sqlite3_result_null(ctx);
    int first = 1;   // 1 = the week starts on Sunday
    if (argc > 1 && sqlite3_value_type(argv[1]) != SQLITE_NULL)
        first = sqlite3_value_int(argv[1]);
    if (first < 1 || first > 7)
        first = 1;
    const int sunday0 = m.date.dayOfWeek() % 7;   // Sunday 0 ... Saturday 6
    sqlite3_result_int(ctx, (sunday0 - (first - 1) + 7) % 7 + 1);
}

// InStr([start,] text, sought): 1-based, 0 when absent, Null when a text is Null;
// numbers are looked for as their text; letters compare without case.
void fnInstr(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    int start = 1;
    if (argc == 3) {
        double s;
        if (!argNumber(argOf(argv[0]), s) || s < 1)
            return resultError(ctx, QStringLiteral("instr: 起始位置无效"));
        start = int(s);
        ++argv;
    }
    const Arg text = argOf(argv[0]), sought = argOf(argv[1]);
    if (text.isNull() || sought.isNull())
        return sqlite3_result_null(ctx);
    const QString t = argString(text), x = argString(sought);
    if (start > t.size())
        return sqlite3_result_int(ctx, 0);
    if (x.isEmpty())
        return sqlite3_result_int(ctx, start);
    sqlite3_result_int(ctx, int(t.indexOf(x, start - 1, Qt::CaseInsensitive)) + 1);
}

// a + b the Jet way.
void fnAdd(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Arg a = argOf(argv[0]), b = argOf(argv[1]);
    if (a.isNull() || b.isNull())
        return sqlite3_result_null(ctx);
    if (a.isNumber() && b.isNumber()) {
        if (a.type == SQLITE_INTEGER && b.type == SQLITE_INTEGER) {
            qint64 r;
            if (!__builtin_add_overflow(a.integer, b.integer, &r))
                return sqlite3_result_int64(ctx, r);
        }
        return sqlite3_result_double(ctx, a.num + b.num);
    }
    if (!a.isNumber() && !b.isNumber()) {
        QByteArray s(a.text, a.len);
        s.append(b.text, b.len);
        return resultText(ctx, s);
    }
    const Arg &text = a.isNumber() ? b : a;
    const Arg &number = a.isNumber() ? a : b;
    Moment m;
    if (parseMoment(text.text, text.len, m))   // a date plus days
        return resultText(ctx, momentText(addSeconds(m, qint64(std::llround(number.num * 86400.0)))));
    double v;
    if (parseNumber(text.text, text.len, v))
        return resultNumber(ctx, v + number.num, v == std::trunc(v) && number.type == SQLITE_INTEGER);
    resultText(ctx, argText(a) + argText(b));
}

void fnConcat(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Arg a = argOf(argv[0]), b = argOf(argv[1]);
    if (a.isNull() && b.isNull())
        return sqlite3_result_null(ctx);
    resultText(ctx, argText(a) + argText(b));
}

bool integerOperands(sqlite3_context *ctx, sqlite3_value **argv, qint64 &a, qint64 &b, const char *op)
{
    double x, y;
    if (!argNumber(argOf(argv[0]), x) || !argNumber(argOf(argv[1]), y)) {
        resultError(ctx, QStringLiteral("%1: 类型不匹配").arg(QLatin1String(op)));
        return false;
    }
    a = qint64(std::nearbyint(x));
    b = qint64(std::nearbyint(y));
    if (b == 0) {
        resultError(ctx, QStringLiteral("%1: 除数为零").arg(QLatin1String(op)));
        return false;
    }
    return true;
}

void fnMod(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (anyNull(2, argv))
        return sqlite3_result_null(ctx);
    qint64 a, b;
    if (integerOperands(ctx, argv, a, b, "Mod"))
        sqlite3_result_int64(ctx, a % b);
}

void fnIntDiv(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (anyNull(2, argv))
        return sqlite3_result_null(ctx);
    qint64 a, b;
    if (integerOperands(ctx, argv, a, b, "\\"))
        sqlite3_result_int64(ctx, a / b);
}

void fnPow(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (anyNull(2, argv))
        return sqlite3_result_null(ctx);
    double a, b;
    if (!argNumber(argOf(argv[0]), a) || !argNumber(argOf(argv[1]), b))
        return resultError(ctx, QStringLiteral("^: 类型不匹配"));
    sqlite3_result_double(ctx, std::pow(a, b));
}

void fnRight(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (anyNull(2, argv))
        return sqlite3_result_null(ctx);
    const int n = sqlite3_value_int(argv[1]);
    if (n < 0)
        return resultError(ctx, QStringLiteral("right: 长度无效"));
    resultString(ctx, argString(argOf(argv[0])).right(n));
}

template <bool Upper>
void fnCase(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Arg a = argOf(argv[0]);
    if (a.isNull())
        return sqlite3_result_null(ctx);
    const QString s = argString(a);
    resultString(ctx, Upper ? s.toUpper() : s.toLower());
}

// ---- LIKE ---------------------------------------------------------------------------

char32_t fold(char32_t c)
{
    if (c < 128)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

char32_t nextCodePoint(const unsigned char *&p, const unsigned char *end)
{
    const unsigned char c = *p++;
    if (c < 0x80)
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = c & (0x3F >> extra);
    while (extra-- > 0 && p < end && (*p & 0xC0) == 0x80)
        cp = (cp << 6) | (*p++ & 0x3F);
    return cp;
}

struct LikeElement {
    enum Kind { Literal, One, Any, Class } kind;
    char32_t ch = 0;
    std::vector<std::pair<char32_t, char32_t>> ranges;
    bool negated = false;

    bool matches(char32_t c) const
    {
        switch (kind) {
        case Literal:
            return c == ch;
        case One:
            return true;
        case Any:
            return false;
        case Class: {
            bool in = false;
            for (const auto &r : ranges)
                if (c >= r.first && c <= r.second) {
                    in = true;
                    break;
                }
            return in != negated;
        }
        }
        return false;
    }
};

struct LikePattern {
    std::vector<LikeElement> elements;
    QString error;
    // "%text%" whose letters have no case beyond ASCII: matched on the UTF-8 bytes
    // (ASCII folded), without decoding the value. The searches of every screen take it.
    bool contains = false;
    std::string needle;
};

bool caselessBeyondAscii(char32_t c)
{
    return c < 128 || (QChar::toUpper(c) == c && QChar::toLower(c) == c && QChar::toCaseFolded(c) == c);
}

void prepareContains(LikePattern &lp)
{
    const auto &e = lp.elements;
    if (e.size() < 3 || e.front().kind != LikeElement::Any || e.back().kind != LikeElement::Any)
        return;
    QString literal;
    for (size_t i = 1; i + 1 < e.size(); ++i) {
        if (e[i].kind != LikeElement::Literal || !caselessBeyondAscii(e[i].ch))
            return;
        literal += QString::fromUcs4(&e[i].ch, 1);
    }
    lp.needle = literal.toUtf8().toStdString();
    lp.contains = true;
}

inline unsigned char asciiFold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

bool containsFolded(const unsigned char *v, size_t n, const std::string &needle)
{
    const size_t m = needle.size();
    if (m > n)
        return false;
    const auto *nd = reinterpret_cast<const unsigned char *>(needle.data());
    for (size_t i = 0; i + m <= n; ++i) {
        size_t k = 0;
        while (k < m && asciiFold(v[i + k]) == nd[k])
            ++k;
        if (k == m)
            return true;
    }
    return false;
}

LikePattern compileLike(const unsigned char *p, const unsigned char *end)
{
    LikePattern lp;
    std::vector<char32_t> cps;
    while (p < end)
        cps.push_back(nextCodePoint(p, end));
    for (size_t i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        LikeElement e{LikeElement::Literal};
        if (c == '%' || c == '*') {
            if (!lp.elements.empty() && lp.elements.back().kind == LikeElement::Any)
                continue;
            e.kind = LikeElement::Any;
        } else if (c == '_' || c == '?') {
            e.kind = LikeElement::One;
        } else if (c == '[') {
            size_t j = i + 1;
            e.kind = LikeElement::Class;
            if (j < cps.size() && cps[j] == '!') {
                e.negated = true;
                ++j;
            }
            const size_t first = j;
            // "[]" is empty; a ']' right after '[' or '[!' closes the class.
            while (j < cps.size() && cps[j] != ']') {
                char32_t lo = fold(cps[j]), hi = lo;
                if (j + 2 < cps.size() && cps[j + 1] == '-' && cps[j + 2] != ']') {
                    hi = fold(cps[j + 2]);
                    j += 2;
                }
                if (hi < lo)
                    std::swap(lo, hi);
                e.ranges.push_back({lo, hi});
                ++j;
            }
            if (j >= cps.size()) {
                lp.error = QStringLiteral("like: 模式中的 [ 没有对应的 ]");
                return lp;
            }
            i = j;
            if (j == first && !e.negated)
                continue;   // "[]" matches the empty text
        } else {
            e.ch = fold(c);
        }
        lp.elements.push_back(std::move(e));
    }
    prepareContains(lp);
    return lp;
}

bool likeMatch(const std::vector<LikeElement> &pat, const std::vector<char32_t> &s)
{
    size_t p = 0, t = 0, starP = SIZE_MAX, starT = 0;
    const size_t m = pat.size(), n = s.size();
    while (t < n) {
        if (p < m && pat[p].kind != LikeElement::Any && pat[p].matches(s[t])) {
            ++p;
            ++t;
        } else if (p < m && pat[p].kind == LikeElement::Any) {
            starP = p++;
            starT = t;
        } else if (starP != SIZE_MAX) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < m && pat[p].kind == LikeElement::Any)
        ++p;
    return p == m;
}

// like(pattern, value): SQLite calls it for "value LIKE pattern".
void fnLike(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (anyNull(2, argv))
        return sqlite3_result_null(ctx);
    std::unique_ptr<LikePattern> local;
    const LikePattern *pat = cachedArg(ctx, 0, local, [&] {
        const auto *p = sqlite3_value_text(argv[0]);
        return compileLike(p, p + sqlite3_value_bytes(argv[0]));
    });
    if (!pat->error.isEmpty())
        return resultError(ctx, pat->error);
    if (pat->contains) {
        const auto *v = sqlite3_value_text(argv[1]);
        return sqlite3_result_int(ctx, containsFolded(v, size_t(sqlite3_value_bytes(argv[1])), pat->needle) ? 1 : 0);
    }
    thread_local std::vector<char32_t> text;
    text.clear();
    const auto *v = sqlite3_value_text(argv[1]);
    const auto *end = v + sqlite3_value_bytes(argv[1]);
    while (v < end)
        text.push_back(fold(nextCodePoint(v, end)));
    sqlite3_result_int(ctx, likeMatch(pat->elements, text) ? 1 : 0);
}

} // namespace

void setClock(std::function<QDateTime()> clock)
{
    clockSource() = std::move(clock);
}

QString formatValue(const QVariant &value, const QString &pattern)
{
    if (!value.isValid() || value.isNull())
        return {};
    Arg a;
    QByteArray storage;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
        a.type = SQLITE_INTEGER;
        a.integer = value.toLongLong();
        a.num = double(a.integer);
        break;
    case QMetaType::Bool:
        a.type = SQLITE_INTEGER;
        a.integer = value.toBool() ? -1 : 0;
        a.num = double(a.integer);
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        a.type = SQLITE_FLOAT;
        a.num = value.toDouble();
        break;
    case QMetaType::QDateTime:
        storage = value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        break;
    case QMetaType::QDate:
        storage = value.toDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00")).toUtf8();
        break;
    default:
        storage = value.toString().toUtf8();
    }
    if (a.type == SQLITE_NULL) {
        a.type = SQLITE_TEXT;
        a.text = storage.constData();
        a.len = storage.size();
    }
    QByteArray out;
    if (formatArg(a, compileFormat(pattern), out) != Outcome::Text)
        return value.toString();
    return QString::fromUtf8(out);
}

void registerFunctions(sqlite3 *db)
{
    struct Fn {
        const char *name;
        int args;
        void (*fn)(sqlite3_context *, int, sqlite3_value **);
    };
    static const Fn fns[] = {
        {"iif", 3, fnIif},
        {"jet_isnull", 1, fnIsNull},
        {"cdbl", 1, fnCdbl},
        {"jet_clng", 1, fnClng},
        {"jet_round", 1, fnRound},
        {"jet_round", 2, fnRound},
        {"jet_cstr", 1, fnCstr},
        {"format", 1, fnFormat},
        {"format", 2, fnFormat},
        // now() is stable within one statement, like Jet's: SQLite evaluates a
        // deterministic call without column arguments once per run.
        {"now", 0, fnNow},
        {"jet_date", 0, fnDate},
        {"datediff", 3, fnDateDiff},
        {"dateadd", 3, fnDateAdd},
        {"weekday", 1, fnWeekday},
        {"weekday", 2, fnWeekday},
        {"year", 1, fnDatePart<0>},
        {"month", 1, fnDatePart<1>},
        {"day", 1, fnDatePart<2>},
        {"hour", 1, fnDatePart<3>},
        {"minute", 1, fnDatePart<4>},
        {"second", 1, fnDatePart<5>},
        {"instr", 2, fnInstr},
        {"instr", 3, fnInstr},
        {"jet_add", 2, fnAdd},
        {"jet_concat", 2, fnConcat},
        {"jet_mod", 2, fnMod},
        {"jet_intdiv", 2, fnIntDiv},
        {"jet_pow", 2, fnPow},
        {"jet_right", 2, fnRight},
        {"jet_ucase", 1, fnCase<true>},
        {"jet_lcase", 1, fnCase<false>},
        {"like", 2, fnLike},
    };
    for (const Fn &f : fns)
        sqlite3_create_function_v2(db, f.name, f.args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, f.fn, nullptr,
                                   nullptr, nullptr);
}

QString translate(const QString &jetSql)
{
    Translator t(jetSql);
    return t.statement();
}

QString withLeadingColumn(const QString &jetSelect, const QString &jetColumn)
{
    Translator t(jetSelect);
    const int pos = t.selectListPosition();
    return jetSelect.left(pos) + jetColumn + QStringLiteral(", ") + jetSelect.mid(pos);
}

} // namespace db::jet
