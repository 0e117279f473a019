#include "dao_test_support.h"

void CreateCardTable(CDaoDatabase& db, const char* name) {
    CDaoTableDef def(&db);
    def.Create(name);
    def.CreateField("ID", dbLong, 4, dbAutoIncrField);
    def.CreateField("LINKID", dbLong, 4);
    def.CreateField("CDATE", dbDate, 8);
    def.CreateField("CNAME", dbText, 10);
    def.CreateField("FLAGS", dbInteger, 2);
    def.CreateField("CNOTE", dbMemo, 0);
    def.CreateField("CIMAGE", dbLongBinary, 0);
    CDaoIndexInfo primary;
    primary.m_strName = "PrimaryKey";
    primary.AddField("ID");
    primary.m_bPrimary = primary.m_bUnique = true;
    def.CreateIndex(primary);
    CDaoIndexInfo link;
    link.m_strName = "LinkID";
    link.AddField("LINKID");
    def.CreateIndex(link);
    def.Append();
}

long AddCard(CDaoDatabase& db, const char* cname, long linkId) {
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    rs.AddNew();
    if (cname) rs.SetFieldValue("CName", cname);
    rs.SetFieldValue("LinkID", CDaoValue::FromLong(linkId));
    rs.Update();
    rs.MoveLast();
    return rs.GetFieldValue("ID").AsLong();
}
