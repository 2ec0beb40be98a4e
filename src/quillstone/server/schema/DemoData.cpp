// The demonstration data set loaded by Schema::LoadDemo. Tests rely on these facts.
//
// Class coding: GradeDef 'inventoryclass', codingrule '223' (2 + 2 + 3 characters), lgrade 3.
//
// Inventory classes (cInvCCode  cInvCName  iInvCGrade  cBarCode, 2 characters):
//   01 电子产品 1 '11'   0101 手机 2 '12'    0101001 智能手机 3 '13'   0101002 功能手机 3 '14'
//   02 服装     1 '21'   0201 男装 2 '22'    0201001 衬衫     3 '23'
//   03 食品     1 '31'   0301 乳制品 2 '32'  0301001 酸奶     3 '33'
//   04 五金     1 '41'
//
// Inventory, in insertion order, so iid is 1 to 8 (cBarCode 6 digits):
//   iid cInvCode cInvName    class    cBarCode group unit  flags
//   1   P001     智能手机X1  0101001  100001   01    0101  barcode, batch, free item 1 (颜色)
//   2   P002     功能手机C2  0101002  100002   00    0001  barcode; stop date '' (blank)
//   3   P003     旧款手机Z0  0101001  100003   01    0101  barcode; stopped: dEDate 2003-01-01
//   4   S001     男士衬衫    0201001  200001   02    0201  barcode, batch, free items 1, 2, 3
//   5   F001     原味酸奶    0301001  300001   03    0301  barcode, batch, shelf life 30 days
//   6   F002     纯牛奶      0301     300002   03    0301  barcode, batch, shelf life 180 days,
//                                                          dEDate 2099-12-31 (not yet stopped)
//   7   H001     螺丝M6      04       400001   00    0001  NOT barcode-managed
//   8   N001     无分类样品  (none)   500001   00    0001  barcode; no class
//   Every other flag is 0; iMassDate is Null where no shelf life is given.
//   A login date of 2003-06-01 sees P003 stopped and F002 in use.
//
// Unit groups (cGroupCode cGroupName iGroupType) and units (cComunitCode cComUnitName
// iChangRate cBarCode, 2 characters; the first unit of a group is its main unit):
//   00 单计量组 0 (single unit, no rates):  0001 个 1 '01'
//   01 电子计量组 1 (fixed rates):          0101 台 1 '11'   0102 箱 10 '12'
//   02 服装计量组 1 (fixed rates):          0201 件 1 '21'   0202 打 12 '22'
//   03 食品计量组 2 (floating rates):       0301 盒 1 '31'   0302 整箱 24 '32'
//
// Vendors (cBarCode 3 characters): V001 华强电子 '901', V002 光明乳业 '902', V003 丝绸服饰 '903'.
// Warehouses (cBarCode 2): 01 成品库 '51', 02 原料库 '52', 03 冷藏库 '53' (no positions).
// Positions (cBarCode 3): 0101 成品库A区 in 01 '611', 0102 成品库B区 in 01 '612',
//   0201 原料库A区 in 02 '621', 9901 临时货位 without warehouse '699'.
//
// Free items (UserDef, cClass '存货'): 自由项1 cID '1' 颜色, 自由项2 cID '2' 尺码,
//   自由项3 cID '3' 产地, 自由项4 ... 自由项10 cID '4' ... '10' without a name.
// Permitted values (UserDefine cID cValue cBarCode):
//   颜色 (2 characters): 黑色 '01', 白色 '02', 红色 '03', 蓝色 '04'
//   尺码 (1 character):  S '1', M '2', L '3', XL '4'
//   产地 (2 characters): 北京 'BJ', 上海 'SH', 广州 'GZ'
//
// Session: account 001 演示账套 (2003). Users, all in account 001 unless said otherwise:
//   admin   系统管理员  bAdmin 1; rights ST050102, ST050202, ST050302; sees all inventory
//   clerk   仓库文员    no function rights; sees all inventory
//   limited 受限用户    rights ST050102, ST050202, ST050302; sees inventory iid 1, 2 only
//                       (data-rights filter "1,2")
//   blind   无权用户    no function rights; restricted to no inventory (filter "null")
//   nobook  无账套用户  no account: its account cannot be loaded
//
// The registry, the rules, the assignments and BarCodeUsage are empty.
#include "src/quillstone/server/schema/SchemaScripts.h"

namespace quillstone::schema_sql {

const char* const kDemoData = R"SQL(
insert into GradeDef (keyword, codingrule, lgrade) values ('inventoryclass', '223', 3);

insert into InventoryClass (cInvCCode, cInvCName, iInvCGrade, bInvCEnd, cBarCode) values
  ('01', '电子产品', 1, 0, '11'),
  ('0101', '手机', 2, 0, '12'),
  ('0101001', '智能手机', 3, 1, '13'),
  ('0101002', '功能手机', 3, 1, '14'),
  ('02', '服装', 1, 0, '21'),
  ('0201', '男装', 2, 0, '22'),
  ('0201001', '衬衫', 3, 1, '23'),
  ('03', '食品', 1, 0, '31'),
  ('0301', '乳制品', 2, 0, '32'),
  ('0301001', '酸奶', 3, 1, '33'),
  ('04', '五金', 1, 1, '41');

insert into ComputationGroup (cGroupCode, cGroupName, iGroupType) values
  ('00', '单计量组', 0),
  ('01', '电子计量组', 1),
  ('02', '服装计量组', 1),
  ('03', '食品计量组', 2);

insert into ComputationUnit (cComunitCode, cComUnitName, cGroupCode, bMainUnit, iChangRate, cBarCode) values
  ('0001', '个', '00', 1, 1, '01'),
  ('0101', '台', '01', 1, 1, '11'),
  ('0102', '箱', '01', 0, 10, '12'),
  ('0201', '件', '02', 1, 1, '21'),
  ('0202', '打', '02', 0, 12, '22'),
  ('0301', '盒', '03', 1, 1, '31'),
  ('0302', '整箱', '03', 0, 24, '32');

insert into Inventory (cInvCode, cInvName, cInvStd, cInvCCode, cBarCode, cGroupCode, cComUnitCode, dSDate, dEDate,
                       bBarCode, bInvBatch, bInvQuality, iMassDate, bFree1, bFree2, bFree3) values
  ('P001', '智能手机X1', '128G 黑色', '0101001', '100001', '01', '0101', '2002-01-01', null, 1, 1, 0, null, 1, 0, 0),
  ('P002', '功能手机C2', '直板', '0101002', '100002', '00', '0001', '2002-01-01', '', 1, 0, 0, null, 0, 0, 0),
  ('P003', '旧款手机Z0', '翻盖', '0101001', '100003', '01', '0101', '2000-01-01', '2003-01-01', 1, 0, 0, null, 0, 0, 0),
  ('S001', '男士衬衫', '纯棉', '0201001', '200001', '02', '0201', '2002-01-01', null, 1, 1, 0, null, 1, 1, 1),
  ('F001', '原味酸奶', '200g', '0301001', '300001', '03', '0301', '2002-01-01', null, 1, 1, 1, 30, 0, 0, 0),
  ('F002', '纯牛奶', '250ml', '0301', '300002', '03', '0301', '2002-01-01', '2099-12-31', 1, 1, 1, 180, 0, 0, 0),
  ('H001', '螺丝M6', 'M6x20', '04', '400001', '00', '0001', '2002-01-01', null, 0, 0, 0, null, 0, 0, 0),
  ('N001', '无分类样品', null, null, '500001', '00', '0001', '2002-01-01', null, 1, 0, 0, null, 0, 0, 0);

insert into Vendor (cVenCode, cVenName, cVenAbbName, cBarCode) values
  ('V001', '深圳华强电子有限公司', '华强电子', '901'),
  ('V002', '光明乳业股份有限公司', '光明乳业', '902'),
  ('V003', '杭州丝绸服饰有限公司', '丝绸服饰', '903');

insert into Warehouse (cWhCode, cWhName, bWhPos, cBarCode) values
  ('01', '成品库', 1, '51'),
  ('02', '原料库', 1, '52'),
  ('03', '冷藏库', 0, '53');

insert into Position (cPosCode, cPosName, cWhCode, cBarCode) values
  ('0101', '成品库A区', '01', '611'),
  ('0102', '成品库B区', '01', '612'),
  ('0201', '原料库A区', '02', '621'),
  ('9901', '临时货位', null, '699');

insert into UserDef (cClass, cItem, cID, cItemName) values
  ('存货', '自由项1', '1', '颜色'),
  ('存货', '自由项2', '2', '尺码'),
  ('存货', '自由项3', '3', '产地'),
  ('存货', '自由项4', '4', ''),
  ('存货', '自由项5', '5', ''),
  ('存货', '自由项6', '6', ''),
  ('存货', '自由项7', '7', ''),
  ('存货', '自由项8', '8', ''),
  ('存货', '自由项9', '9', ''),
  ('存货', '自由项10', '10', '');

insert into UserDefine (cID, cValue, cBarCode) values
  ('1', '黑色', '01'),
  ('1', '白色', '02'),
  ('1', '红色', '03'),
  ('1', '蓝色', '04'),
  ('2', 'S', '1'),
  ('2', 'M', '2'),
  ('2', 'L', '3'),
  ('2', 'XL', '4'),
  ('3', '北京', 'BJ'),
  ('3', '上海', 'SH'),
  ('3', '广州', 'GZ');

insert into HostAccount (cAccId, cAccName, iYear) values ('001', '演示账套', 2003);

insert into HostUser (cUserId, cUserName, bAdmin, cAccId) values
  ('admin', '系统管理员', 1, '001'),
  ('clerk', '仓库文员', 0, '001'),
  ('limited', '受限用户', 0, '001'),
  ('blind', '无权用户', 0, '001'),
  ('nobook', '无账套用户', 0, null);

insert into HostUserRight (cUserId, cFuncId) values
  ('admin', 'ST050102'),
  ('admin', 'ST050202'),
  ('admin', 'ST050302'),
  ('limited', 'ST050102'),
  ('limited', 'ST050202'),
  ('limited', 'ST050302');

insert into HostUserDataRight (cUserId, cObject, iId) values
  ('limited', 'inventory', 1),
  ('limited', 'inventory', 2),
  ('blind', 'inventory', null);
)SQL";

}  // namespace quillstone::schema_sql
