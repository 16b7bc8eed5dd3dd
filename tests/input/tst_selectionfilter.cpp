// Selection filter chains as the host's selection reads them: each group code with the value
// its code carries, -4 groups nested, relational operators, and chains that are no filter.
#include "drawing/KvDatabase.h"
#include "kernel/KvResbuf.h"
#include "kernel/KvSelectionFilter.h"

#include <QtTest>
#include <memory>

namespace {

// A chain from items "code=text", the text turned into the value the code carries.
kv_resbuf* chainOf(const QStringList& items)
{
    kv_resbuf* head = nullptr;
    kv_resbuf** tail = &head;
    for (const QString& item : items) {
        const short code = short(item.section('=', 0, 0).toInt());
        const QString text = item.section('=', 1);
        kv_resbuf* n = kvNewNode(code);
        switch (kvGroupValueType(code)) {
        case KvGroupValue::String: n->resval.rstring = kvDuplicateString(reinterpret_cast<const char16_t*>(text.utf16())); break;
        case KvGroupValue::Short: n->resval.rint = short(text.toInt()); break;
        case KvGroupValue::Long: n->resval.rlong = text.toInt(); break;
        case KvGroupValue::Real: n->resval.rreal = text.toDouble(); break;
        default: break;
        }
        *tail = n;
        tail = &n->rbnext;
    }
    return head;
}

QStringList nested(int depth)
{
    QStringList items;
    for (int i = 0; i < depth; ++i)
        items << "-4=<NOT";
    items << "62=1";
    for (int i = 0; i < depth; ++i)
        items << "-4=NOT>";
    return items;
}

} // namespace

class TestSelectionFilter : public QObject
{
    Q_OBJECT
    CKvDatabase m_db;
    // l: a line, colour 1; c: a circle of radius 2 on layer Walls, colour by layer (256);
    // t: a text "Hello", height 2.5, colour 3; i: an insert of block Door, colour 5.
    std::vector<std::pair<QChar, OdDbObjectId>> m_entities;

private slots:
    void initTestCase()
    {
        auto* space = dynamic_cast<OdDbBlockTableRecord*>(m_db.getModelSpaceId().openObject());
        QVERIFY(space);
        auto line = std::make_unique<OdDbLine>();
        line->colorIndex = 1;
        m_entities.push_back({'l', space->appendEntity(std::move(line))});
        auto circle = std::make_unique<OdDbCircle>();
        circle->radius = 2;
        circle->layer = "Walls";
        m_entities.push_back({'c', space->appendEntity(std::move(circle))});
        auto text = std::make_unique<OdDbText>();
        text->text = "Hello";
        text->height = 2.5;
        text->colorIndex = 3;
        m_entities.push_back({'t', space->appendEntity(std::move(text))});
        auto insert = std::make_unique<OdDbBlockReference>();
        insert->blockId = m_db.addBlock("Door");
        insert->colorIndex = 5;
        m_entities.push_back({'i', space->appendEntity(std::move(insert))});
    }

    // matched: the letters of the entities that pass, or "invalid".
    void filter_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("matched");

        QTest::newRow("no filter") << QStringList() << "lcti";
        QTest::newRow("type") << QStringList{"0=LINE"} << "l";
        QTest::newRow("type as the LISP engine codes it") << QStringList{"5020=circle"} << "c";
        QTest::newRow("alternatives and wildcards") << QStringList{"0=CIRC*,TE?T"} << "ct";
        QTest::newRow("layer in any case") << QStringList{"8=walls"} << "c";
        QTest::newRow("colour number") << QStringList{"62=1"} << "l";
        QTest::newRow("colour by layer") << QStringList{"62=256"} << "c";
        QTest::newRow("text contents") << QStringList{"1=hel*"} << "t";
        QTest::newRow("block name") << QStringList{"2=DOOR"} << "i";
        QTest::newRow("radius") << QStringList{"40=2"} << "c";
        QTest::newRow("text height") << QStringList{"40=2.5"} << "t";
        QTest::newRow("code this host keeps no data for") << QStringList{"6=DASHED"} << "lcti";
        QTest::newRow("items are all required") << QStringList{"0=CIRCLE", "8=Walls"} << "c";
        QTest::newRow("items that exclude each other") << QStringList{"0=LINE", "8=Walls"} << "";

        QTest::newRow("OR") << QStringList{"-4=<OR", "62=1", "62=5", "-4=OR>"} << "li";
        QTest::newRow("AND inside OR") << QStringList{"-4=<OR", "-4=<AND", "0=CIRCLE", "8=Walls", "-4=AND>", "0=LINE", "-4=OR>"}
                                       << "lc";
        QTest::newRow("NOT") << QStringList{"-4=<NOT", "0=LINE", "-4=NOT>"} << "cti";
        QTest::newRow("XOR") << QStringList{"-4=<XOR", "0=LINE", "62=5", "-4=XOR>"} << "li";
        QTest::newRow("NOT of OR inside OR")
            << QStringList{"-4=<OR", "0=CIRCLE", "-4=<NOT", "-4=<OR", "62=1", "62=5", "62=256", "-4=OR>", "-4=NOT>", "-4=OR>"}
            << "ct";
        QTest::newRow("operators in any case") << QStringList{"-4=<or", "62=1", "62=3", "-4=Or>"} << "lt";
        QTest::newRow("OR then a plain item") << QStringList{"-4=<OR", "62=1", "62=5", "-4=OR>", "0=INSERT"} << "i";

        QTest::newRow("greater than") << QStringList{"-4=>", "62=2"} << "cti";
        QTest::newRow("at most") << QStringList{"-4=<=", "40=2"} << "c";
        QTest::newRow("any value: has the group") << QStringList{"-4=*", "40=0"} << "ct";
        QTest::newRow("bits") << QStringList{"-4=&", "62=3"} << "lti";
        QTest::newRow("all bits") << QStringList{"-4=&=", "62=3"} << "t";
        QTest::newRow("not equal text") << QStringList{"-4=!=", "0=LINE"} << "cti";
        QTest::newRow("not equal, other spelling") << QStringList{"-4=/=", "62=1"} << "cti";

        QTest::newRow("group never closed") << QStringList{"-4=<OR", "62=1"} << "invalid";
        QTest::newRow("closing without opening") << QStringList{"62=1", "-4=OR>"} << "invalid";
        QTest::newRow("closed by the wrong group") << QStringList{"-4=<AND", "62=1", "-4=OR>"} << "invalid";
        QTest::newRow("NOT of two") << QStringList{"-4=<NOT", "62=1", "62=5", "-4=NOT>"} << "invalid";
        QTest::newRow("XOR of one") << QStringList{"-4=<XOR", "62=1", "-4=XOR>"} << "invalid";
        QTest::newRow("empty OR") << QStringList{"-4=<OR", "-4=OR>"} << "invalid";
        QTest::newRow("unknown operator") << QStringList{"-4=<MAYBE", "62=1", "-4=MAYBE>"} << "invalid";
        QTest::newRow("operator at the end") << QStringList{"62=1", "-4=>"} << "invalid";
        QTest::newRow("text compared by size") << QStringList{"-4=<", "8=A"} << "invalid";
        QTest::newRow("bits of a real") << QStringList{"-4=&", "40=2"} << "invalid";
        QTest::newRow("a LISP type code") << QStringList{"5006=x"} << "invalid";
        QTest::newRow("nested deeply") << nested(200) << "l";
        QTest::newRow("nested too deeply") << nested(300) << "invalid";
    }

    void filter()
    {
        QFETCH(QStringList, items);
        QFETCH(QString, matched);
        kv_resbuf* chain = chainOf(items);
        const KvSelectionFilter filter(chain);
        QString letters;
        for (const auto& [letter, id] : m_entities)
            if (filter.matches(*dynamic_cast<const OdDbEntity*>(id.openObject())))
                letters += letter;
        kvFreeChain(chain);
        if (matched == "invalid") {
            QVERIFY(!filter.isValid());
            QVERIFY(!filter.error().isEmpty());
            QCOMPARE(letters, QString());
        } else {
            QVERIFY2(filter.isValid(), qPrintable(filter.error()));
            QCOMPARE(letters, matched);
        }
    }
};

QTEST_GUILESS_MAIN(TestSelectionFilter)
#include "tst_selectionfilter.moc"
