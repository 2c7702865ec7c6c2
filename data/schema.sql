-- Kelvo membership desk: tables of the delivered database (SQLite dialect, run once on a
-- fresh encrypted file by `kelvo-admin initdb`).
--
-- Storage conventions the Jet layer relies on:
--   text       TEXT COLLATE NOCASE (Jet compares text without regard to case)
--   date/time  TEXT 'yyyy-MM-dd HH:mm:ss' (text order is time order)
--   yes/no     YESNO holding 0/1 (the engine reads the type name and gives "True"/"False")
--   integer    INTEGER, number REAL, autonumber INTEGER PRIMARY KEY AUTOINCREMENT
-- Widths given to text columns are enforced as Jet enforces a field size.

-- ---- members and their movements --------------------------------------------

CREATE TABLE T_MemberInfo (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    InnerCode     TEXT COLLATE NOCASE CHECK (length(InnerCode) <= 40),
    CodeID        TEXT COLLATE NOCASE NOT NULL CHECK (length(CodeID) <= 20),
    memberName    TEXT COLLATE NOCASE CHECK (length(memberName) <= 20),
    Spell         TEXT COLLATE NOCASE CHECK (length(Spell) <= 20),
    memberKind    INTEGER,
    CardLevel     TEXT COLLATE NOCASE CHECK (length(CardLevel) <= 4),
    PassWord      TEXT COLLATE NOCASE CHECK (length(PassWord) <= 20),
    CheapMode     TEXT COLLATE NOCASE CHECK (length(CheapMode) <= 4),
    memberScore   REAL DEFAULT 0,
    CurState      INTEGER,
    CurMoney      REAL DEFAULT 0,
    HisSumMoney   REAL DEFAULT 0,
    CardVailFlag  YESNO DEFAULT 0,
    CardVailDate  TEXT,
    CardIfUpGrade YESNO DEFAULT 0,
    sex           TEXT COLLATE NOCASE CHECK (length(sex) <= 2),
    birthday      TEXT,
    Mobile        TEXT COLLATE NOCASE CHECK (length(Mobile) <= 20),
    Tel           TEXT COLLATE NOCASE CHECK (length(Tel) <= 20),
    EMail         TEXT COLLATE NOCASE CHECK (length(EMail) <= 40),
    IDCard        TEXT COLLATE NOCASE CHECK (length(IDCard) <= 18),
    Addr          TEXT COLLATE NOCASE CHECK (length(Addr) <= 50),
    MemberPhoto   TEXT COLLATE NOCASE CHECK (length(MemberPhoto) <= 100),
    IntroCodeID   TEXT COLLATE NOCASE CHECK (length(IntroCodeID) <= 20),
    AddDate       TEXT,
    RegDate       TEXT,
    Remark        TEXT COLLATE NOCASE CHECK (length(Remark) <= 100),
    UserMan       TEXT COLLATE NOCASE CHECK (length(UserMan) <= 6),
    RemarkInfo    TEXT COLLATE NOCASE CHECK (length(RemarkInfo) <= 100),
    SumScore      INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX UX_MemberInfo_CodeID ON T_MemberInfo (CodeID);
CREATE INDEX IX_MemberInfo_Mobile ON T_MemberInfo (Mobile);
CREATE INDEX IX_MemberInfo_memberName ON T_MemberInfo (memberName);
CREATE INDEX IX_MemberInfo_Spell ON T_MemberInfo (Spell);
CREATE INDEX IX_MemberInfo_IDCard ON T_MemberInfo (IDCard);
CREATE INDEX IX_MemberInfo_CardLevel ON T_MemberInfo (CardLevel);
CREATE INDEX IX_MemberInfo_AddDate ON T_MemberInfo (AddDate);

CREATE TABLE T_MemberCostInfo (
    CostID      TEXT COLLATE NOCASE,
    CardID      TEXT COLLATE NOCASE,
    CostMoney   REAL,
    CostScore   REAL,
    CostDate    TEXT,
    CostMemo    TEXT COLLATE NOCASE,
    IfMoney     INTEGER,
    XJJN        REAL,
    IfExitGoods INTEGER,
    UserMan     TEXT COLLATE NOCASE,
    SumMoney    REAL
);
CREATE INDEX IX_MemberCostInfo_CardID_CostDate ON T_MemberCostInfo (CardID, CostDate);
CREATE INDEX IX_MemberCostInfo_CostDate ON T_MemberCostInfo (CostDate);
CREATE INDEX IX_MemberCostInfo_CostID ON T_MemberCostInfo (CostID);
CREATE INDEX IX_MemberCostInfo_UserMan ON T_MemberCostInfo (UserMan);

CREATE TABLE T_GoodsCostDetailInfo (
    CostID         TEXT COLLATE NOCASE,
    CardID         TEXT COLLATE NOCASE,
    GoodsId        TEXT COLLATE NOCASE,
    GoodsPrice     REAL,
    GoodsDisc      REAL,
    GoodsCount     REAL,
    GoodsDiscPrice REAL,
    SumPrice       REAL,
    CostDate       TEXT,
    UserMan        TEXT COLLATE NOCASE
);
CREATE INDEX IX_GoodsCostDetail_CostID ON T_GoodsCostDetailInfo (CostID);
CREATE INDEX IX_GoodsCostDetail_CardID ON T_GoodsCostDetailInfo (CardID);
CREATE INDEX IX_GoodsCostDetail_GoodsId ON T_GoodsCostDetailInfo (GoodsId);
CREATE INDEX IX_GoodsCostDetail_CostDate ON T_GoodsCostDetailInfo (CostDate);

CREATE TABLE T_CardPutMoney (
    ID         INTEGER PRIMARY KEY AUTOINCREMENT,
    CardID     TEXT COLLATE NOCASE,
    PayMoney   REAL,
    PutMoney   REAL,
    CurScore   REAL,
    CheapMoney REAL,
    PayDate    TEXT,
    UserMan    TEXT COLLATE NOCASE
);
CREATE INDEX IX_CardPutMoney_CardID_PayDate ON T_CardPutMoney (CardID, PayDate);
CREATE INDEX IX_CardPutMoney_PayDate ON T_CardPutMoney (PayDate);

CREATE TABLE T_ScoreExGoods (
    CardID  TEXT COLLATE NOCASE,
    GoodsID TEXT COLLATE NOCASE,
    ExCount REAL,
    Score   REAL,
    ExDate  TEXT,
    UserMan TEXT COLLATE NOCASE
);
CREATE INDEX IX_ScoreExGoods_CardID ON T_ScoreExGoods (CardID);
CREATE INDEX IX_ScoreExGoods_ExDate ON T_ScoreExGoods (ExDate);

-- ---- carts of the sale, return and exchange screens ------------------------------

CREATE TABLE T_SaleGoodsTemp (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    GoodsID        TEXT COLLATE NOCASE,
    CardID         TEXT COLLATE NOCASE,
    GoodsName      TEXT COLLATE NOCASE,
    GoodsPrice     REAL,
    GoodsCount     REAL,
    GoodsDisc      REAL,
    GoodsDiscPrice REAL,
    SumPrice       REAL
);

CREATE TABLE T_ScoreExGoodsTemp (
    GoodsID  TEXT COLLATE NOCASE,
    ExCount  REAL,
    Score    REAL,
    OneScore REAL
);

-- ---- reminders, stock movements, log, shifts -----------------------------------

CREATE TABLE T_TipOffSet (
    ID               INTEGER PRIMARY KEY AUTOINCREMENT,
    AddDate          TEXT,
    CardID           TEXT COLLATE NOCASE,
    TipOFFMode       INTEGER,
    TipOffDate       TEXT COLLATE NOCASE,
    TipOffDate_Intro TEXT COLLATE NOCASE,
    TipOffContent    TEXT COLLATE NOCASE,
    TipOffState      INTEGER,
    TipOffResult     TEXT COLLATE NOCASE
);
CREATE INDEX IX_TipOffSet_CardID ON T_TipOffSet (CardID);

CREATE TABLE T_GoodsBuySale (
    GoodsID    TEXT COLLATE NOCASE,
    GoodsCount REAL,
    Kind       INTEGER,
    Remark     TEXT COLLATE NOCASE,
    CreateDate TEXT,
    OperMan    TEXT COLLATE NOCASE
);
CREATE INDEX IX_GoodsBuySale_GoodsID_CreateDate ON T_GoodsBuySale (GoodsID, CreateDate);
CREATE INDEX IX_GoodsBuySale_CreateDate ON T_GoodsBuySale (CreateDate);

CREATE TABLE T_SysLog (
    OperDate TEXT,
    UserMan  TEXT COLLATE NOCASE,
    OperInfo TEXT COLLATE NOCASE
);
CREATE INDEX IX_SysLog_OperDate ON T_SysLog (OperDate);

CREATE TABLE T_LoginDate (
    UserMan   TEXT COLLATE NOCASE,
    LoginDate TEXT,
    LastDate  TEXT,
    IfChange  INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX UX_LoginDate_UserMan ON T_LoginDate (UserMan);

-- ---- settings and report definitions -------------------------------------------

CREATE TABLE T_SysSet (
    IfUse_Birthday    YESNO DEFAULT 0,
    KeepDay           INTEGER DEFAULT 0,
    IfUse_Balance     YESNO DEFAULT 0,
    LessMoney         REAL DEFAULT 0,
    IfUse_RemindWin   YESNO DEFAULT 0,
    IfUse_CostSocre   YESNO DEFAULT 0,
    CostStand         INTEGER DEFAULT 0,
    GetScore          INTEGER DEFAULT 0,
    IfUse_AutoMoveUp  YESNO DEFAULT 0,
    IfUse_LessZero    YESNO DEFAULT 0,
    IfUse_ModiMoney   YESNO DEFAULT 0,
    IfUse_Show        YESNO DEFAULT 0,
    UnitName          TEXT COLLATE NOCASE,
    IfUse_PrintPicket YESNO DEFAULT 0,
    IfUse_Oper        YESNO DEFAULT 0,
    FootNote1         TEXT COLLATE NOCASE,
    FootNote2         TEXT COLLATE NOCASE,
    FootNote3         TEXT COLLATE NOCASE,
    PrintName         TEXT COLLATE NOCASE
);

CREATE TABLE T_PrintSet (
    ID           INTEGER PRIMARY KEY,
    PrintName    TEXT COLLATE NOCASE,
    PrintField   TEXT COLLATE NOCASE,
    nWidth       INTEGER DEFAULT 0,
    nPlace       INTEGER DEFAULT 0,
    BelongReport TEXT COLLATE NOCASE,
    ifPrint      INTEGER DEFAULT 0,
    SortNo       INTEGER DEFAULT 0
);
CREATE INDEX IX_PrintSet_BelongReport ON T_PrintSet (BelongReport, SortNo);

-- ---- dictionaries and master data ----------------------------------------------

CREATE TABLE D_MemberLevel (
    ID        TEXT COLLATE NOCASE NOT NULL,
    UserName  TEXT COLLATE NOCASE,
    rate      REAL DEFAULT 1,
    ScoreUp   REAL DEFAULT 0,
    ScoreDown REAL DEFAULT 0,
    SysSet    INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX UX_MemberLevel_ID ON D_MemberLevel (ID);

CREATE TABLE D_CardCheapStyle (
    ID         INTEGER PRIMARY KEY AUTOINCREMENT,
    CheapID    TEXT COLLATE NOCASE NOT NULL,
    CheapKind  TEXT COLLATE NOCASE,
    CheapName  TEXT COLLATE NOCASE,
    CostMoney  REAL DEFAULT 0,
    CheapMoney REAL DEFAULT 0,
    ReMark     TEXT COLLATE NOCASE,
    sysSet     INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX UX_CardCheapStyle_CheapID ON D_CardCheapStyle (CheapID);

CREATE TABLE D_GoodsKind (
    KindID   TEXT COLLATE NOCASE NOT NULL,
    KindName TEXT COLLATE NOCASE,
    SysSet   INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX UX_GoodsKind_KindID ON D_GoodsKind (KindID);

CREATE TABLE D_GoodsStore (
    GoodsID     TEXT COLLATE NOCASE NOT NULL CHECK (length(GoodsID) <= 20),
    GoodsName   TEXT COLLATE NOCASE CHECK (length(GoodsName) <= 40),
    GoodsKind   TEXT COLLATE NOCASE,
    GoodsSimple TEXT COLLATE NOCASE,
    GoodsUnit   TEXT COLLATE NOCASE CHECK (length(GoodsUnit) <= 20),
    BuyPrice    REAL DEFAULT 0,
    SalePrice   REAL DEFAULT 0,
    GoodsCount  REAL DEFAULT 0,
    GoodsDisc   REAL DEFAULT 0
);
CREATE UNIQUE INDEX UX_GoodsStore_GoodsID ON D_GoodsStore (GoodsID);
CREATE INDEX IX_GoodsStore_GoodsSimple ON D_GoodsStore (GoodsSimple);
CREATE INDEX IX_GoodsStore_GoodsName ON D_GoodsStore (GoodsName);
CREATE INDEX IX_GoodsStore_GoodsKind ON D_GoodsStore (GoodsKind);

CREATE TABLE D_ExchangeGoods (
    Code        TEXT COLLATE NOCASE NOT NULL,
    GoodsName   TEXT COLLATE NOCASE,
    GoodsSimple TEXT COLLATE NOCASE,
    GoodsCount  REAL DEFAULT 0,
    ExScore     REAL DEFAULT 0
);
CREATE UNIQUE INDEX UX_ExchangeGoods_Code ON D_ExchangeGoods (Code);

CREATE TABLE D_UserManage (
    UserCode TEXT COLLATE NOCASE NOT NULL,
    UserName TEXT COLLATE NOCASE,
    PassWord TEXT COLLATE NOCASE,
    Power    TEXT COLLATE NOCASE,
    IFSys    INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX UX_UserManage_UserCode ON D_UserManage (UserCode);

CREATE TABLE D_MemberCardKind (
    CardId   INTEGER PRIMARY KEY,
    CardKind TEXT COLLATE NOCASE
);

CREATE TABLE D_MemberCardState (
    StateID   INTEGER PRIMARY KEY,
    StateName TEXT COLLATE NOCASE
);

CREATE TABLE D_CardCheapKind (
    KindId   TEXT COLLATE NOCASE NOT NULL,
    KindName TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX UX_CardCheapKind_KindId ON D_CardCheapKind (KindId);

CREATE TABLE D_TipOffStyle (
    ID       INTEGER PRIMARY KEY,
    TipStyle TEXT COLLATE NOCASE,
    Flag     INTEGER DEFAULT 0
);
