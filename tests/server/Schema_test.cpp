#include "quillstone/server/schema/Schema.h"

#include <gtest/gtest.h>

#include <vector>

#include "quillstone/platform/Connection.h"
#include "quillstone/server/modFunctionDefine.h"
#include "support/BackendTest.h"

using namespace quillstone;

namespace {

class SchemaTest : public BackendTest {
 protected:
  int64_t Count(const std::string& sql, const std::vector<Variant>& params = {}) {
    auto rs = conn->Query(sql, params);
    return rs->Field(0).toInt64();
  }

  std::string BarCodeUsed(Connection& c, const std::string& barcode) {
    std::vector<ProcedureParameter> params{
        {"cCode", ProcedureParameter::Direction::Input, Variant(barcode), 200},
        {"cRetValue", ProcedureParameter::Direction::Output, Variant(), 60},
    };
    c.CallProcedure("sp_BarCodeUsed", params);
    return NullToStr(params[1].value);
  }
};

TEST_P(SchemaTest, CreatesCataloguesOnAnEmptyDatabase) {
  Schema::Create(*conn);

  auto rs = conn->Query("select sourceType, sourceName, length from ItemSourceType order by sourceType");
  std::vector<std::string> names;
  for (int expected = 0; !rs->IsEOF(); rs->MoveNext(), ++expected) {
    EXPECT_EQ(rs->Field("sourceType").toInt32(), expected) << "gap before row " << expected;
    EXPECT_GT(NullToLng(rs->Field("length")), 0);
    names.push_back(Trim(NullToStr(rs->Field("sourceName"))));
  }
  ASSERT_EQ(names.size(), 25u);
  EXPECT_EQ(names[0], "存货");
  EXPECT_EQ(names[12], "流水号");
  EXPECT_EQ(names[13], "自由项1");
  EXPECT_EQ(names[22], "自由项10");
  EXPECT_EQ(names[24], "其它");

  EXPECT_EQ(Count("select count(*) from BarCodeType"), 8);
  EXPECT_EQ(Count("select length from BarCodeType where typeName = ?", {Variant("EAN-13")}), 13);
}

TEST_P(SchemaTest, KeysRefuseDuplicates) {
  Schema::Create(*conn);
  conn->Execute("insert into BarCodeRuleItem (ruleId, \"index\", length, itemSourceType) values ('R1', 1, 4, 0)");
  EXPECT_THROW(
      conn->Execute("insert into BarCodeRuleItem (ruleId, \"index\", length, itemSourceType) values ('R1', 1, 2, 11)"),
      Error);
  conn->Execute("insert into InventoryBarCodeSet (cBarCode, cInvCode, bAbandon) values ('B1', 'P001', 0)");
  EXPECT_THROW(conn->Execute("insert into InventoryBarCodeSet (cBarCode, cInvCode) values ('B1', 'P002')"), Error);
  conn->Execute("insert into RuleAssign (assignId, assignType, invId, ruleId) values ('A1', 1, 'P001', 'R1')");
  EXPECT_THROW(
      conn->Execute("insert into RuleAssign (assignId, assignType, classId, ruleId) values ('A1', 0, '01', 'R1')"),
      Error);
}

TEST_P(SchemaTest, CreateOnAnExistingSchemaFailsAndKeepsIt) {
  Schema::Create(*conn);
  EXPECT_THROW(Schema::Create(*conn), Error);
  EXPECT_FALSE(conn->InTransaction());
  EXPECT_EQ(Count("select count(*) from ItemSourceType"), 25);
}

TEST_P(SchemaTest, DemoLoadsWithDocumentedRowIds) {
  Schema::Create(*conn);
  Schema::LoadDemo(*conn);
  auto rs = conn->Query("select iid, cInvCode from Inventory order by iid");
  std::vector<std::string> codes;
  for (int64_t expected = 1; !rs->IsEOF(); rs->MoveNext(), ++expected) {
    EXPECT_EQ(rs->Field("iid").toInt64(), expected);
    codes.push_back(Trim(NullToStr(rs->Field("cInvCode"))));
  }
  EXPECT_EQ(codes, (std::vector<std::string>{"P001", "P002", "P003", "S001", "F001", "F002", "H001", "N001"}));
  // Every free item has a definition, or the free-item sources cannot start.
  EXPECT_EQ(Count("select count(*) from UserDef where cClass = ?", {Variant("存货")}), 10);
  EXPECT_EQ(Count("select count(*) from GradeDef where keyword = 'inventoryclass' and codingrule = '223'"), 1);
  // Inventory inserted later is numbered after the demo rows.
  conn->Execute("insert into Inventory (cInvCode, cInvName) values ('T001', 'x')");
  EXPECT_EQ(Count("select iid from Inventory where cInvCode = 'T001'"), 9);
}

// Statements of the library, as written for the host tables, run unchanged.
TEST_P(SchemaTest, LibraryStatementsRunOnTheSchema) {
  Schema::Create(*conn);
  Schema::LoadDemo(*conn);
  auto one = [&](const std::string& sql, const std::string& column) {
    auto rs = conn->Query(sql);
    return rs->IsEOF() ? std::string("<none>") : Trim(NullToStr(rs->Field(column)));
  };
  EXPECT_EQ(one("select Inventory.*,InventoryClass.cInvCName from Inventory left join InventoryClass on "
                "(inventory.cInvCCode = inventoryClass.cInvCCode) where Inventory.cBarCode ='100001'",
                "cInvCName"),
            "智能手机");
  EXPECT_EQ(one("select * from Position where cBarCode ='611'", "cWhCode"), "01");
  EXPECT_EQ(one("select cBarCode from ComputationUnit where cComunitCode ='0202'", "cBarCode"), "22");
  EXPECT_EQ(one("select * from UserDefine where cID ='2' and cValue ='XL'", "cBarCode"), "4");
  EXPECT_EQ(one("select * from UserDef where cClass='存货' and cItem='自由项1'", "cItemName"), "颜色");
  EXPECT_EQ(one("select codingrule,lgrade from GradeDef where keyword='inventoryclass'", "codingrule"), "223");
  EXPECT_EQ(one("select InventoryClass.* from Inventory left join InventoryClass on "
                "(Inventory.cInvCCode=InventoryClass.cInvCCode) where ( Inventory.cInvCode ='F002')",
                "iInvCGrade"),
            "2");
  conn->Execute(
      "insert into BarCodeRuleItem (ruleId, \"index\", length, itemSourceType, relevantValue) "
      "values ('R1', 2, 1, 11, 'A'), ('R1', 1, 6, 0, '')");
  EXPECT_EQ(one("select * from BarCodeRuleItem inner join ItemSourceType on "
                "(BarCodeRuleItem.itemSourceType = ItemSourceType.sourceType) where ruleId='R1' order by \"index\"",
                "sourceName"),
            "存货");
}

TEST_P(SchemaTest, BarCodeUsedAnswersFromDocumentLines) {
  Schema::Create(*conn);
  EXPECT_EQ(BarCodeUsed(*conn, "100001A"), "");
  conn->Execute("insert into BarCodeUsage (cBarCode, cDocType, cDocCode, iRowNo) values (?, ?, ?, 1)",
                {Variant("100001A"), Variant("采购入库单"), Variant("RK0001")});
  EXPECT_EQ(BarCodeUsed(*conn, "100001A"), "采购入库单:RK0001");
  EXPECT_EQ(BarCodeUsed(*conn, "100001B"), "");
  // A line with neither type nor code still marks the barcode used.
  conn->Execute("insert into BarCodeUsage (cBarCode) values ('100001B')");
  EXPECT_NE(Trim(BarCodeUsed(*conn, "100001B")), "");
}

TEST_P(SchemaTest, BarCodeUsedServesEveryConnectionToTheDatabase) {
  Schema::Create(*conn);
  conn->Execute("insert into BarCodeUsage (cBarCode, cDocType, cDocCode) values ('X1', '销售出库单', 'CK9')");
  auto other = Connection::Open(connectionString());
  EXPECT_EQ(BarCodeUsed(*other, "X1"), "销售出库单:CK9");
  other->Close();
}

QS_INSTANTIATE_BACKENDS(SchemaTest);

}  // namespace
