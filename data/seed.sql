-- Kelvo membership desk: rows delivered with the database (SQLite dialect, run after
-- schema.sql by `kelvo-admin initdb`). The program never inserts into the dictionaries,
-- T_SysSet or T_PrintSet; everything they hold comes from here.

-- ---- dictionaries ----------------------------------------------------------------

INSERT INTO D_MemberCardKind (CardId, CardKind) VALUES
    (1, '折扣卡'),
    (2, '储值卡'),
    (3, '计次卡');

INSERT INTO D_MemberCardState (StateID, StateName) VALUES
    (1, '正常'),
    (2, '锁定'),
    (3, '挂失');

INSERT INTO D_CardCheapKind (KindId, KindName) VALUES
    ('01', '存款优惠'),
    ('02', '计次消费');

INSERT INTO D_TipOffStyle (ID, TipStyle, Flag) VALUES
    (1, '1.一次性提醒', 1),
    (2, '2.每周提醒', 1),
    (3, '3.每月提醒', 1),
    (4, '4.每年提醒', 1);

-- ---- settings ----------------------------------------------------------------------

-- Receipts stay off until a printer is chosen on the parameters screen.
INSERT INTO T_SysSet (IfUse_Birthday, KeepDay, IfUse_Balance, LessMoney, IfUse_RemindWin,
                      IfUse_CostSocre, CostStand, GetScore, IfUse_AutoMoveUp, IfUse_LessZero,
                      IfUse_ModiMoney, IfUse_Show, UnitName, IfUse_PrintPicket, IfUse_Oper,
                      FootNote1, FootNote2, FootNote3, PrintName)
VALUES (1, 7, 1, 50, 1,
        1, 10, 0, 1, 1,
        0, 1, 'Kelvo会员店', 0, 1,
        '谢谢惠顾，欢迎再次光临！', '请妥善保管您的会员卡', '', '');

-- ---- operators -----------------------------------------------------------------------

-- The administrator holds every right through IFSys; Power lists them all as well.
INSERT INTO D_UserManage (UserCode, UserName, PassWord, Power, IFSys) VALUES
    ('admin', '管理员', 'admin',
     '$01;$02;$03;$04;$05;$06;$07;$08;$09;$10;$11;$12;$13;$14;$15;$16;$17;$18;$19;$20;$21;$22;$23;$30;',
     1);

-- ---- member levels and card styles ----------------------------------------------

-- "00" is the level of the no-card customer. Its band (0 to -1) holds no score, so the
-- automatic upgrade never moves a member into it or out of the ordinary bands.
INSERT INTO D_MemberLevel (ID, UserName, rate, ScoreUp, ScoreDown, SysSet) VALUES
    ('00', '非会员', 1, 0, -1, 1),
    ('01', '普通会员', 0.95, 0, 999, 0),
    ('02', '银卡会员', 0.9, 1000, 4999, 0),
    ('03', '金卡会员', 0.85, 5000, 99999, 0);

-- Style "0" (no bonus) is built in and comes first, so a new stored-value card starts on it.
INSERT INTO D_CardCheapStyle (CheapID, CheapKind, CheapName, CostMoney, CheapMoney, ReMark, sysSet) VALUES
    ('0',  '01', '无优惠',    100, 100, '交费100元相当于存入卡中100元', 1),
    ('01', '01', '存100送10', 100, 110, '交费100元相当于存入卡中110元', 0),
    ('02', '01', '存100送20', 100, 120, '交费100元相当于存入卡中120元', 0),
    ('03', '02', '100元10次', 100, 10,  '交费100元 可以消费10次', 0),
    ('04', '02', '50元6次',   50,  6,   '交费50元 可以消费6次', 0);

-- ---- goods categories ------------------------------------------------------------------

INSERT INTO D_GoodsKind (KindID, KindName, SysSet) VALUES
    ('00', '默认类别', 1);

-- ---- the no-card customer ----------------------------------------------------------------

INSERT INTO T_MemberInfo (CodeID, memberName, Spell, memberKind, CardLevel, PassWord, CheapMode,
                          memberScore, CurState, CurMoney, HisSumMoney, CardVailFlag, CardIfUpGrade,
                          sex, AddDate, RegDate, Remark, SumScore)
VALUES ('0000', '无卡客户', 'WKKH', 1, '00', '', '0',
        0, 1, 0, 0, 0, 0,
        '男', '2026-01-01 00:00:00', '2026-01-01 00:00:00', '未办卡的散客在此记账', 0);

-- ---- report definitions ------------------------------------------------------------------
-- One row per printable column; PrintField is written against the aliases of the report's
-- table list and carries the caption as its alias. ifPrint 1 marks the columns printed by
-- default (they fit an A4 portrait page).

INSERT INTO T_PrintSet (ID, BelongReport, SortNo, PrintName, PrintField, nWidth, nPlace, ifPrint) VALUES
-- 会员基本信息: T_MemberInfo a
    (1,  'T_MemberInfo', 1,  '会员卡号', 'a.CodeID as 会员卡号', 80, 0, 1),
    (2,  'T_MemberInfo', 2,  '会员姓名', 'a.memberName as 会员姓名', 70, 0, 1),
    (3,  'T_MemberInfo', 3,  '性别', 'a.sex as 性别', 40, 2, 1),
    (4,  'T_MemberInfo', 4,  '出生年月', 'format(a.birthday,''yyyy-MM-dd'') as 出生年月', 80, 0, 1),
    (5,  'T_MemberInfo', 5,  '状态', '(select StateName from D_MemberCardState c where c.StateID=a.CurState) as 状态', 45, 2, 1),
    (6,  'T_MemberInfo', 6,  '卡的类型', '(select CardKind from D_MemberCardKind k where k.CardId=a.memberKind) as 卡的类型', 60, 0, 1),
    (7,  'T_MemberInfo', 7,  '卡的级别', '(select UserName from D_MemberLevel d where d.ID=a.CardLevel) as 卡的级别', 70, 0, 1),
    (8,  'T_MemberInfo', 8,  '会员积分', 'iif(isnull(a.memberScore),0,a.memberScore) as 会员积分', 65, 1, 1),
    (9,  'T_MemberInfo', 9,  '所剩金额/次数', 'iif(a.memberKind=3,iif(isnull(a.CurMoney),0,a.CurMoney),format(iif(isnull(a.CurMoney),0,a.CurMoney),''0.00'')) as [所剩金额/次数]', 90, 1, 1),
    (10, 'T_MemberInfo', 10, '联系地址', 'a.Addr as 联系地址', 150, 0, 0),
    (11, 'T_MemberInfo', 11, '手机', 'a.Mobile as 手机', 95, 0, 1),
    (12, 'T_MemberInfo', 12, '电话', 'a.Tel as 电话', 90, 0, 0),
    (13, 'T_MemberInfo', 13, '邮件', 'a.EMail as 邮件', 120, 0, 0),
-- 会员消费汇总: T_MemberCostInfo a, T_MemberInfo b
    (20, 'T_CostInfo', 1, '会员卡号', 'a.CardID as 会员卡号', 80, 0, 1),
    (21, 'T_CostInfo', 2, '会员姓名', 'b.memberName as 会员姓名', 70, 0, 1),
    (22, 'T_CostInfo', 3, '会员卡类型', '(select CardKind from D_MemberCardKind e where e.CardId=b.memberKind) as 会员卡类型', 70, 0, 1),
    (23, 'T_CostInfo', 4, '会员卡级别', '(select UserName from D_MemberLevel d where d.ID=b.CardLevel) as 会员卡级别', 70, 0, 1),
    (24, 'T_CostInfo', 5, '消费金额/次数', 'cdbl(iif(b.memberKind=3,iif(isnull(a.CostMoney),0,a.CostMoney),format(iif(isnull(a.CostMoney),0,a.CostMoney),''0.00''))) as [消费金额/次数]', 90, 1, 1),
    (25, 'T_CostInfo', 6, '此次积分', 'iif(isnull(a.CostScore),0,a.CostScore) as 此次积分', 60, 1, 1),
    (26, 'T_CostInfo', 7, '消费日期', 'format(a.CostDate,''yyyy-MM-dd HH:MM:SS'') as 消费日期', 130, 0, 1),
    (27, 'T_CostInfo', 8, '备注', 'a.CostMemo as 备注', 120, 0, 1),
-- 会员消费排行: T_MemberInfo a
    (40, 'T_Array', 1, '会员卡号', 'a.CodeID as 会员卡号', 80, 0, 1),
    (41, 'T_Array', 2, '会员姓名', 'a.memberName as 会员姓名', 70, 0, 1),
    (42, 'T_Array', 3, '会员卡类型', '(select CardKind from D_MemberCardKind e where e.CardId=a.memberKind) as 会员卡类型', 70, 0, 1),
    (43, 'T_Array', 4, '会员卡级别', '(select UserName from D_MemberLevel d where d.ID=a.CardLevel) as 会员卡级别', 70, 0, 1),
    (44, 'T_Array', 5, '累计金额/次数', 'cdbl(iif(a.memberKind=3,iif(isnull(a.HisSumMoney),0,a.HisSumMoney),format(iif(isnull(a.HisSumMoney),0,a.HisSumMoney),''0.00''))) as [累计金额/次数]', 100, 1, 1),
    (45, 'T_Array', 6, '会员积分', 'iif(isnull(a.memberScore),0,a.memberScore) as 会员积分', 70, 1, 1),
    (46, 'T_Array', 7, '消费次数', '(select count(*) from T_MemberCostInfo f where f.CardID=a.CodeID) as 消费次数', 70, 1, 1),
-- 会员充值信息: T_CardPutMoney a, T_MemberInfo b
    (60, 'T_PayMoney', 1, '会员卡号', 'a.CardID as 会员卡号', 80, 0, 1),
    (61, 'T_PayMoney', 2, '会员姓名', 'b.memberName as 会员姓名', 70, 0, 1),
    (62, 'T_PayMoney', 3, '卡的类型', '(select CardKind from D_MemberCardKind e where e.CardId=b.memberKind) as 卡的类型', 60, 0, 1),
    (63, 'T_PayMoney', 4, '卡的级别', '(select UserName from D_MemberLevel d where d.ID=b.CardLevel) as 卡的级别', 70, 0, 1),
    (64, 'T_PayMoney', 5, '缴费日期', 'format(a.PayDate,''yyyy-MM-dd HH:MM:SS'') as 缴费日期', 130, 0, 1),
    (65, 'T_PayMoney', 6, '缴费金额', 'format(iif(isnull(a.PayMoney),0,a.PayMoney),''0.00'') as 缴费金额', 75, 1, 1),
    (66, 'T_PayMoney', 7, '优惠金额', 'format(iif(isnull(a.CheapMoney),0,a.CheapMoney),''0.00'') as 优惠金额', 75, 1, 1),
    (67, 'T_PayMoney', 8, '操作人员', 'a.UserMan as 操作人员', 65, 0, 1),
-- 兑换商品统计: T_ScoreExGoods a, T_MemberInfo b
    (80, 'T_ScoreExGoods', 1, '会员卡号', 'a.CardID as 会员卡号', 80, 0, 1),
    (81, 'T_ScoreExGoods', 2, '会员姓名', 'b.memberName as 会员姓名', 70, 0, 1),
    (82, 'T_ScoreExGoods', 3, '兑换商品名称', '(select GoodsName from D_ExchangeGoods e where e.Code=a.GoodsID) as 兑换商品名称', 130, 0, 1),
    (83, 'T_ScoreExGoods', 4, '兑换数量', 'a.ExCount as 兑换数量', 65, 1, 1),
    (84, 'T_ScoreExGoods', 5, '所需积分', 'a.Score as 所需积分', 65, 1, 1),
    (85, 'T_ScoreExGoods', 6, '兑换日期', 'format(a.ExDate,''yyyy-MM-dd HH:MM:SS'') as 兑换日期', 130, 0, 1),
    (86, 'T_ScoreExGoods', 7, '操作人员', 'a.UserMan as 操作人员', 65, 0, 1),
-- 商品库存情况: D_GoodsStore a
    (100, 'T_ScoreGoods', 1, '商品种类', '(select KindName from D_GoodsKind b where b.KindID=a.GoodsKind) as 商品种类', 80, 0, 1),
    (101, 'T_ScoreGoods', 2, '商品编号', 'a.GoodsID as 商品编号', 80, 0, 1),
    (102, 'T_ScoreGoods', 3, '商品名称', 'a.GoodsName as 商品名称', 140, 0, 1),
    (103, 'T_ScoreGoods', 4, '单位', 'a.GoodsUnit as 单位', 45, 2, 1),
    (104, 'T_ScoreGoods', 5, '进货价格', 'format(iif(isnull(a.BuyPrice),0,a.BuyPrice),''0.00'') as 进货价格', 70, 1, 1),
    (105, 'T_ScoreGoods', 6, '出售价格', 'format(iif(isnull(a.SalePrice),0,a.SalePrice),''0.00'') as 出售价格', 70, 1, 1),
    (106, 'T_ScoreGoods', 7, '库存总数', 'a.GoodsCount as 库存总数', 70, 1, 1),
    (107, 'T_ScoreGoods', 8, '打折率', 'a.GoodsDisc as 打折率', 55, 1, 1),
-- 商品进退货情况: T_GoodsBuySale a, D_GoodsStore b
    (120, 'T_BuyExitGoods', 1,  '商品种类', '(select KindName from D_GoodsKind c where c.KindID=b.GoodsKind) as 商品种类', 70, 0, 1),
    (121, 'T_BuyExitGoods', 2,  '商品编号', 'a.GoodsID as 商品编号', 80, 0, 1),
    (122, 'T_BuyExitGoods', 3,  '商品名称', 'b.GoodsName as 商品名称', 130, 0, 1),
    (123, 'T_BuyExitGoods', 4,  '单位', 'b.GoodsUnit as 单位', 45, 2, 1),
    (124, 'T_BuyExitGoods', 5,  '进货价格', 'format(iif(isnull(b.BuyPrice),0,b.BuyPrice),''0.00'') as 进货价格', 65, 1, 1),
    (125, 'T_BuyExitGoods', 6,  '出售价格', 'format(iif(isnull(b.SalePrice),0,b.SalePrice),''0.00'') as 出售价格', 65, 1, 0),
    (126, 'T_BuyExitGoods', 7,  '库存总数', 'a.GoodsCount as 库存总数', 65, 1, 1),
    (127, 'T_BuyExitGoods', 8,  '打折率', 'b.GoodsDisc as 打折率', 55, 1, 0),
    (128, 'T_BuyExitGoods', 9,  '进退类型', 'iif(a.Kind=1,''进货'',''退货'') as 进退类型', 60, 2, 1),
    (129, 'T_BuyExitGoods', 10, '备注', 'a.Remark as 备注', 120, 0, 1),
-- 商品销售汇总情况: T_GoodsCostDetailInfo a, D_GoodsStore b, grouped by goods and unit price
    (140, 'T_SpendGoods', 1, '商品种类', '(select KindName from D_GoodsKind c where c.KindID=b.GoodsKind) as 商品种类', 80, 0, 1),
    (141, 'T_SpendGoods', 2, '商品编号', 'a.GoodsID as 商品编号', 80, 0, 1),
    (142, 'T_SpendGoods', 3, '商品名称', 'b.GoodsName as 商品名称', 140, 0, 1),
    (143, 'T_SpendGoods', 4, '单位', 'b.GoodsUnit as 单位', 45, 2, 1),
    (144, 'T_SpendGoods', 5, '出售单价', 'format(a.GoodsPrice,''0.00'') as 出售单价', 70, 1, 1),
    (145, 'T_SpendGoods', 6, '销售总数', 'sum(a.GoodsCount) as 销售总数', 70, 1, 1),
    (146, 'T_SpendGoods', 7, '合计金额', 'format(sum(a.SumPrice),''0.00'') as 合计金额', 80, 1, 1),
-- 商品消费明细情况: T_GoodsCostDetailInfo a, D_GoodsStore b
    (160, 'T_SpendDetailGoods', 1,  '商品种类', '(select KindName from D_GoodsKind c where c.KindID=b.GoodsKind) as 商品种类', 70, 0, 0),
    (161, 'T_SpendDetailGoods', 2,  '商品编号', 'a.GoodsID as 商品编号', 75, 0, 1),
    (162, 'T_SpendDetailGoods', 3,  '商品名称', 'b.GoodsName as 商品名称', 120, 0, 1),
    (163, 'T_SpendDetailGoods', 4,  '单位', 'b.GoodsUnit as 单位', 40, 2, 0),
    (164, 'T_SpendDetailGoods', 5,  '商品单价', 'format(a.GoodsPrice,''0.00'') as 商品单价', 65, 1, 1),
    (165, 'T_SpendDetailGoods', 6,  '打折率', 'a.GoodsDisc as 打折率', 50, 1, 1),
    (166, 'T_SpendDetailGoods', 7,  '数量', 'a.GoodsCount as 数量', 50, 1, 1),
    (167, 'T_SpendDetailGoods', 8,  '折后价格', 'format(a.GoodsDiscPrice,''0.00'') as 折后价格', 65, 1, 1),
    (168, 'T_SpendDetailGoods', 9,  '总价', 'format(a.SumPrice,''0.00'') as 总价', 70, 1, 1),
    (169, 'T_SpendDetailGoods', 10, '销售日期', 'format(a.CostDate,''yyyy-MM-dd HH:MM:SS'') as 销售日期', 130, 0, 1);
