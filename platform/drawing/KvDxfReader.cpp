#include "drawing/KvDxfReader.h"

#include "drawing/KvDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTextCodec>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using std::string_view;

// --- Checking the file and keeping what the drawing shows
//
// dxflib reads whatever it is given: a vertex count it trusts, a long line that stops its
// stream for good, a counter used before it is set. So the data is read here first, group by
// group, and checked: every code is a number of the DXF code ranges, every number parses,
// sections, blocks and the end of file are where they belong. Only then is a clean copy of
// the groups we use (layers, blocks and the entities we draw) handed to dxflib.

enum class ValueKind { Invalid, String, Real, Integer };

ValueKind kindOf(int code)
{
    struct Range { int first, last; ValueKind kind; };
    static const Range ranges[] = {
        {0, 9, ValueKind::String},       {10, 59, ValueKind::Real},       {60, 79, ValueKind::Integer},
        {90, 99, ValueKind::Integer},    {100, 100, ValueKind::String},   {102, 102, ValueKind::String},
        {105, 105, ValueKind::String},   {110, 149, ValueKind::Real},     {160, 179, ValueKind::Integer},
        {210, 239, ValueKind::Real},     {270, 299, ValueKind::Integer},  {300, 369, ValueKind::String},
        {370, 389, ValueKind::Integer},  {390, 399, ValueKind::String},   {400, 409, ValueKind::Integer},
        {410, 419, ValueKind::String},   {420, 429, ValueKind::Integer},  {430, 439, ValueKind::String},
        {440, 459, ValueKind::Integer},  {460, 469, ValueKind::Real},     {470, 481, ValueKind::String},
        {999, 1009, ValueKind::String},  {1010, 1059, ValueKind::Real},   {1060, 1071, ValueKind::Integer},
    };
    for (const Range& r : ranges)
        if (code >= r.first && code <= r.last)
            return r.kind;
    return ValueKind::Invalid;
}

string_view trimmed(string_view v)
{
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
        v.remove_suffix(1);
    return v;
}

bool parseReal(string_view v, double& out)
{
    v = trimmed(v);
    if (!v.empty() && v.front() == '+')
        v.remove_prefix(1);
    if (v.empty())
        return false;
    const auto result = std::from_chars(v.data(), v.data() + v.size(), out);
    return result.ec == std::errc() && result.ptr == v.data() + v.size() && std::isfinite(out);
}

bool parseCode(string_view v, int& out)
{
    v = trimmed(v);
    if (v.empty())
        return false;
    const auto result = std::from_chars(v.data(), v.data() + v.size(), out);
    return result.ec == std::errc() && result.ptr == v.data() + v.size();
}

// Lines of the data, without their line ends (LF or CR LF).
class LineReader
{
public:
    LineReader(const char* begin, const char* end) : m_pos(begin), m_end(end) {}
    bool next(string_view& line)
    {
        if (m_pos >= m_end)
            return false;
        const char* newline = static_cast<const char*>(std::memchr(m_pos, '\n', size_t(m_end - m_pos)));
        const char* stop = newline ? newline : m_end;
        size_t length = size_t(stop - m_pos);
        if (length > 0 && m_pos[length - 1] == '\r')
            --length;
        line = string_view(m_pos, length);
        m_pos = newline ? newline + 1 : m_end;
        return true;
    }

private:
    const char* m_pos;
    const char* m_end;
};

bool isBlank(string_view line)
{
    return trimmed(line).empty();
}

string_view withoutBom(string_view data)
{
    if (data.size() >= 3 && data.substr(0, 3) == "\xEF\xBB\xBF")
        data.remove_prefix(3);
    return data;
}

struct Group
{
    int code;
    string_view value;
};

// The entities we keep; dxflib is never shown the others.
bool isKeptEntity(string_view type)
{
    static const char* const kinds[] = {"LINE", "POINT", "CIRCLE", "ARC", "ELLIPSE", "LWPOLYLINE", "POLYLINE",
                                        "VERTEX", "SEQEND", "TEXT", "MTEXT", "SOLID", "INSERT"};
    for (const char* kind : kinds)
        if (type == kind)
            return true;
    return false;
}

// Coordinates, sizes and scales beyond this are no drawing's; an entity holding one is left out
// (the empty extents box starts at 1e20).
constexpr double kMaxMagnitude = 1e18;
// dxflib reads lines into a buffer of 1024 characters and stops its stream at a longer one.
constexpr size_t kMaxValueLength = 1000;

class Scanner
{
public:
    std::string out;
    bool unicodeText = false; // drawings from AC1021 on store UTF-8
    QByteArray codePage;      // $DWGCODEPAGE, e.g. ANSI_1252

    bool run(string_view data);

private:
    enum class Section { None, Header, Tables, Blocks, Entities, Other };
    enum class Object { Skip, Layer, Block, Entity };

    bool startObject(string_view type);
    bool finishObject();
    void putCode(int code);
    void put(int code, string_view value);
    void putReal(int code, double value);
    void putEntity();

    Section m_section = Section::None;
    Object m_object = Object::Skip;
    string_view m_type;
    std::vector<Group> m_groups;
    bool m_drop = false;
    bool m_inBlock = false;
    string_view m_variable;
};

bool Scanner::run(string_view data)
{
    data = withoutBom(data);
    if (data.find('\0') != string_view::npos)
        return false;
    out.clear();
    out.reserve(data.size());
    LineReader lines(data.data(), data.data() + data.size());
    string_view codeLine, value;
    bool started = false, expectSectionName = false;
    while (lines.next(codeLine)) {
        if (!started && isBlank(codeLine))
            continue;
        started = true;
        int code = -1;
        if (!parseCode(codeLine, code) || !lines.next(value))
            return false;
        const ValueKind kind = kindOf(code);
        double number = 0;
        if (kind == ValueKind::Invalid)
            return false;
        if ((kind == ValueKind::Real || kind == ValueKind::Integer) && !parseReal(value, number))
            return false;

        if (expectSectionName) {
            if (code != 2)
                return false;
            const string_view name = trimmed(value);
            m_section = name == "HEADER" ? Section::Header : name == "TABLES" ? Section::Tables
                      : name == "BLOCKS" ? Section::Blocks : name == "ENTITIES" ? Section::Entities : Section::Other;
            m_object = Object::Skip;
            expectSectionName = false;
            continue;
        }
        if (code == 999)
            continue;
        if (m_section == Section::None) {
            // Between sections only a new section or the end of the file may come.
            const string_view word = trimmed(value);
            if (code != 0)
                return false;
            if (word == "EOF") {
                put(0, "EOF");
                return true;
            }
            if (word != "SECTION")
                return false;
            expectSectionName = true;
            continue;
        }
        if (code == 0) {
            if (!finishObject())
                return false;
            const string_view word = trimmed(value);
            if (word == "ENDSEC") {
                if (m_inBlock)
                    return false;
                m_section = Section::None;
                m_object = Object::Skip;
                continue;
            }
            if (word == "SECTION" || word == "EOF")
                return false;
            if (!startObject(word))
                return false;
            continue;
        }
        if (m_section == Section::Header) {
            if (code == 9)
                m_variable = trimmed(value);
            else if (m_variable == "$ACADVER" && code == 1)
                unicodeText = trimmed(value) >= string_view("AC1021");
            else if (m_variable == "$DWGCODEPAGE" && code == 3)
                codePage = QByteArray(trimmed(value).data(), int(trimmed(value).size()));
            continue;
        }
        if (m_object == Object::Skip)
            continue;
        if (kind == ValueKind::Real && code < 60 && std::fabs(number) > kMaxMagnitude)
            m_drop = true;
        m_groups.push_back({code, value});
    }
    // The data ended before its end-of-file group: cut short.
    return false;
}

bool Scanner::startObject(string_view type)
{
    m_type = type;
    m_groups.clear();
    m_drop = false;
    m_object = Object::Skip;
    switch (m_section) {
    case Section::Tables:
        if (type == "LAYER")
            m_object = Object::Layer;
        return true;
    case Section::Blocks:
        if (type == "BLOCK") {
            if (m_inBlock)
                return false;
            m_inBlock = true;
            m_object = Object::Block;
            return true;
        }
        if (type == "ENDBLK") {
            if (!m_inBlock)
                return false;
            m_inBlock = false;
            put(0, "ENDBLK");
            return true;
        }
        if (!m_inBlock)
            return false;
        if (isKeptEntity(type))
            m_object = Object::Entity;
        return true;
    case Section::Entities:
        if (isKeptEntity(type))
            m_object = Object::Entity;
        return true;
    default:
        return true;
    }
}

bool Scanner::finishObject()
{
    switch (m_object) {
    case Object::Skip:
        break;
    case Object::Layer:
        put(0, "LAYER");
        for (const Group& g : m_groups)
            if (g.code == 2 || g.code == 62 || g.code == 70)
                put(g.code, g.value);
        break;
    case Object::Block: {
        const auto name = std::find_if(m_groups.begin(), m_groups.end(), [](const Group& g) { return g.code == 2; });
        if (name == m_groups.end() || trimmed(name->value).empty())
            return false;
        put(0, "BLOCK");
        for (const Group& g : m_groups)
            if (g.code == 2 || g.code == 70 || g.code == 10 || g.code == 20 || g.code == 30)
                put(g.code, g.value);
        break;
    }
    case Object::Entity:
        if (!m_drop)
            putEntity();
        break;
    }
    m_object = Object::Skip;
    m_groups.clear();
    return true;
}

// Groups the database has no use for: handles, subclass markers, reactors, owners, extended
// data, and z coordinates of 0, which dxflib assumes anyway. Fewer groups read faster.
bool isUnused(const Group& g)
{
    const int code = g.code;
    if (code >= 30 && code <= 33) {
        double z = 0;
        return parseReal(g.value, z) && z == 0;
    }
    // Group 9 names a header variable; dxflib would take it for the start of one anywhere.
    return code == 5 || code == 9 || code == 100 || code == 102 || code == 330 || code == 360 || code >= 999;
}

void Scanner::putEntity()
{
    if (m_type == "LWPOLYLINE") {
        // dxflib sizes its vertex array by group 90 and trusts it; give it the real count,
        // first, and leave out vertex data that comes before the first vertex.
        int count = 0;
        for (const Group& g : m_groups)
            count += g.code == 10;
        if (count == 0)
            return;
        put(0, m_type);
        put(90, std::to_string(count));
        bool seenVertex = false;
        for (const Group& g : m_groups) {
            seenVertex = seenVertex || g.code == 10;
            const bool vertexData = g.code == 20 || g.code == 30 || g.code == 42;
            if (g.code == 90 || isUnused(g) || (vertexData && !seenVertex))
                continue;
            put(g.code, g.value);
        }
        return;
    }
    put(0, m_type);
    if (m_type == "MTEXT") {
        // The rotation goes to dxflib as a direction: its reading of group 50 depends on a
        // library version it only learns from a comment.
        bool hasDirection = false;
        double degrees = 0;
        for (const Group& g : m_groups) {
            hasDirection = hasDirection || g.code == 11;
            if (g.code == 50)
                parseReal(g.value, degrees);
        }
        for (const Group& g : m_groups)
            if (g.code != 50 && !isUnused(g))
                put(g.code, g.value);
        if (!hasDirection && degrees != 0) {
            putReal(11, std::cos(degrees * M_PI / 180));
            putReal(21, std::sin(degrees * M_PI / 180));
        }
        return;
    }
    for (const Group& g : m_groups)
        if (!isUnused(g))
            put(g.code, g.value);
}

void Scanner::putCode(int code)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, code);
    out.append(buffer, result.ptr);
    out += '\n';
}

void Scanner::put(int code, string_view value)
{
    putCode(code);
    if (value.size() > kMaxValueLength) {
        size_t cut = kMaxValueLength;
        // Never cut inside a UTF-8 sequence.
        while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
            --cut;
        value = value.substr(0, cut);
    }
    out.append(value.data(), value.size());
    out += '\n';
}

void Scanner::putReal(int code, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    put(code, string_view(buffer, size_t(result.ptr - buffer)));
}

// --- Building the database from what dxflib reports

// Texts of older drawings are in the drawing's code page, newer ones UTF-8.
class TextDecoder
{
public:
    TextDecoder(bool unicode, const QByteArray& codePage)
    {
        m_utf8 = QTextCodec::codecForName("UTF-8");
        if (!unicode) {
            QByteArray name = codePage.toUpper();
            if (name.startsWith("ANSI_"))
                name = "windows-" + name.mid(5);
            m_local = QTextCodec::codecForName(name.isEmpty() ? QByteArray("windows-1252") : name);
            if (!m_local)
                m_local = QTextCodec::codecForName("windows-1252");
        }
    }

    QString decode(const std::string& s) const
    {
        const char* data = s.data();
        const int size = int(s.size());
        bool ascii = true;
        for (int i = 0; i < size && ascii; ++i)
            ascii = static_cast<unsigned char>(data[i]) < 0x80;
        if (ascii)
            return QString::fromLatin1(data, size);
        if (!m_local)
            return QString::fromUtf8(data, size);
        // Text written by newer programs into an older format is often UTF-8 all the same.
        QTextCodec::ConverterState state;
        const QString utf8 = m_utf8->toUnicode(data, size, &state);
        if (state.invalidChars == 0)
            return utf8;
        return m_local->toUnicode(data, size);
    }

private:
    QTextCodec* m_utf8 = nullptr;
    QTextCodec* m_local = nullptr;
};

double radians(double degrees)
{
    return degrees * M_PI / 180;
}

class Builder final : public DL_CreationAdapter
{
public:
    Builder(CKvDatabase& database, const TextDecoder& decoder)
        : m_db(database), m_decoder(decoder)
    {
        m_model = blockAt(m_db.getModelSpaceId());
        m_paper = blockAt(m_db.getPaperSpaceId());
        for (const auto& block : m_db.blockTable())
            m_blocksByName.insert(block->name.toLower(), block.get());
    }

    void finish()
    {
        flushPolyline();
        for (const auto& [reference, name] : m_references) {
            OdDbBlockTableRecord* block = m_blocksByName.value(name.toLower());
            if (block)
                reference->blockId = block->objectId();
        }
    }

    void addLayer(const DL_LayerData& data) override
    {
        const QString name = m_decoder.decode(data.name);
        int color = attributes.getColor();
        const bool off = color < 0;
        color = std::abs(color);
        if (color < 1 || color > 255)
            color = 7;
        for (KvLayer& layer : m_db.layers())
            if (layer.name.compare(name, Qt::CaseInsensitive) == 0) {
                layer.colorIndex = color;
                layer.off = off;
                layer.frozen = (data.flags & 1) != 0;
                return;
            }
        KvLayer layer;
        layer.name = name;
        layer.colorIndex = color;
        layer.off = off;
        layer.frozen = (data.flags & 1) != 0;
        m_db.layers().append(layer);
    }

    void addBlock(const DL_BlockData& data) override
    {
        flushPolyline();
        QString name = m_decoder.decode(data.name);
        if (name.compare(QLatin1String("$MODEL_SPACE"), Qt::CaseInsensitive) == 0)
            name = QStringLiteral("*Model_Space");
        else if (name.compare(QLatin1String("$PAPER_SPACE"), Qt::CaseInsensitive) == 0)
            name = QStringLiteral("*Paper_Space");
        OdDbBlockTableRecord* block = m_blocksByName.value(name.toLower());
        m_skipBlock = false;
        if (block && (block == m_model || block == m_paper) && !m_filled.contains(block)) {
            // The spaces exist in every database; the file may give them a base point.
        } else if (block) {
            // A second definition under a name already taken adds nothing.
            m_skipBlock = true;
            m_block = nullptr;
            return;
        } else {
            block = blockAt(m_db.addBlock(name));
            if (!block)
                return;
            m_blocksByName.insert(name.toLower(), block);
        }
        block->origin = {data.bpx, data.bpy, data.bpz};
        block->flags = data.flags;
        m_filled.insert(block);
        m_block = block;
    }

    void endBlock() override
    {
        flushPolyline();
        m_block = nullptr;
        m_skipBlock = false;
    }

    void addPoint(const DL_PointData& d) override
    {
        auto e = std::make_unique<OdDbPoint>();
        e->position = {d.x, d.y, d.z};
        add(std::move(e));
    }

    void addLine(const DL_LineData& d) override
    {
        auto e = std::make_unique<OdDbLine>();
        e->start = {d.x1, d.y1, d.z1};
        e->end = {d.x2, d.y2, d.z2};
        add(std::move(e));
    }

    void addCircle(const DL_CircleData& d) override
    {
        auto e = std::make_unique<OdDbCircle>();
        e->center = {mirrored() ? -d.cx : d.cx, d.cy, d.cz};
        e->radius = d.radius;
        add(std::move(e));
    }

    void addArc(const DL_ArcData& d) override
    {
        auto e = std::make_unique<OdDbArc>();
        e->radius = d.radius;
        if (mirrored()) {
            // Seen from below, the arc runs the other way round.
            e->center = {-d.cx, d.cy, d.cz};
            e->startAngle = M_PI - radians(d.angle2);
            e->endAngle = M_PI - radians(d.angle1);
        } else {
            e->center = {d.cx, d.cy, d.cz};
            e->startAngle = radians(d.angle1);
            e->endAngle = radians(d.angle2);
        }
        add(std::move(e));
    }

    void addEllipse(const DL_EllipseData& d) override
    {
        auto e = std::make_unique<OdDbEllipse>();
        e->center = {d.cx, d.cy, d.cz};
        e->majorAxis = {d.mx, d.my, d.mz};
        e->ratio = d.ratio;
        e->startParam = d.angle1;
        e->endParam = d.angle2;
        add(std::move(e));
    }

    void addPolyline(const DL_PolylineData& d) override
    {
        flushPolyline();
        m_polyline = std::make_unique<OdDbPolyline>();
        applyAttributes(*m_polyline);
        m_polyline->closed = (d.flags & 1) != 0;
        // dxflib reports lightweight polylines with all their vertices at once, before the
        // next entity; an old-style polyline's vertices follow as entities of their own.
        m_polylineMirrored = mirrored();
        m_polylineTarget = target();
        // Meshes and face sets are not lines.
        m_polylineIgnored = (d.flags & (16 | 64)) != 0;
        m_polyline->lightweight = false;
        m_groupEndedSincePolyline = false;
    }

    void addVertex(const DL_VertexData& d) override
    {
        if (!m_polyline)
            return;
        OdDbPolyline::Vertex v;
        v.point = {m_polylineMirrored ? -d.x : d.x, d.y, d.z};
        v.bulge = m_polylineMirrored ? -d.bulge : d.bulge;
        m_polyline->vertices.append(v);
    }

    void endEntity() override
    {
        // dxflib ends a lightweight polyline within the group that started it; an old-style
        // one ends groups later, after its vertices.
        if (m_polyline)
            m_polyline->lightweight = !m_groupEndedSincePolyline;
        flushPolyline();
    }

    // Called by dxflib after every group 0 it has dealt with.
    void endSection() override { m_groupEndedSincePolyline = true; }

    void addText(const DL_TextData& d) override
    {
        auto e = std::make_unique<OdDbText>();
        e->position = {mirrored() ? -d.ipx : d.ipx, d.ipy, d.ipz};
        e->height = d.height;
        e->rotation = mirrored() ? M_PI - d.angle : d.angle;
        e->text = m_decoder.decode(d.text);
        e->attachment = 0;
        add(std::move(e));
    }

    void addMTextChunk(const std::string& text) override { m_mtextChunks += text; }

    void addMText(const DL_MTextData& d) override
    {
        auto e = std::make_unique<OdDbText>();
        e->multiline = true;
        e->position = {d.ipx, d.ipy, d.ipz};
        e->height = d.height;
        e->width = d.width;
        e->attachment = d.attachmentPoint;
        e->rotation = d.dirx != 0 || d.diry != 0 ? std::atan2(d.diry, d.dirx) : 0;
        e->text = m_decoder.decode(m_mtextChunks + d.text);
        m_mtextChunks.clear();
        add(std::move(e));
    }

    void addSolid(const DL_SolidData& d) override
    {
        auto e = std::make_unique<OdDbSolid>();
        for (int i = 0; i < 4; ++i)
            e->corners[i] = {mirrored() ? -d.x[i] : d.x[i], d.y[i], d.z[i]};
        add(std::move(e));
    }

    void addInsert(const DL_InsertData& d) override
    {
        auto e = std::make_unique<OdDbBlockReference>();
        e->position = {d.ipx, d.ipy, d.ipz};
        e->scaleX = d.sx;
        e->scaleY = d.sy;
        e->scaleZ = d.sz;
        e->rotation = radians(d.angle);
        if (mirrored()) {
            // A reference seen from below is a mirrored one.
            e->position.x = -e->position.x;
            e->scaleX = -e->scaleX;
            e->rotation = -e->rotation;
        }
        OdDbBlockReference* raw = e.get();
        if (add(std::move(e)))
            m_references.push_back({raw, m_decoder.decode(d.name)});
    }

private:
    static OdDbBlockTableRecord* blockAt(const OdDbObjectId& id)
    {
        return dynamic_cast<OdDbBlockTableRecord*>(id.openObject());
    }

    // Entities drawn in a plane seen from below (extrusion direction -Z), as mirrored arcs and
    // blocks are stored, have their x axis reversed.
    bool mirrored() const
    {
        const double* n = extrusion->getDirection();
        return n[2] < 0 && std::fabs(n[0]) < 1.0 / 64 && std::fabs(n[1]) < 1.0 / 64;
    }

    OdDbBlockTableRecord* target() const
    {
        if (m_skipBlock)
            return nullptr;
        if (m_block)
            return m_block;
        return attributes.isInPaperSpace() ? m_paper : m_model;
    }

    void applyAttributes(OdDbEntity& e)
    {
        const std::string& layer = attributes.getLayer();
        auto found = m_layerNames.find(layer);
        if (found == m_layerNames.end()) {
            const QString name = layer.empty() ? QStringLiteral("0") : m_decoder.decode(layer);
            found = m_layerNames.emplace(layer, name).first;
        }
        e.layer = found->second;
        const int color = attributes.getColor();
        e.colorIndex = color >= 0 && color <= 256 ? color : 256;
    }

    bool add(std::unique_ptr<OdDbEntity> entity)
    {
        flushPolyline();
        OdDbBlockTableRecord* block = target();
        if (!block)
            return false;
        applyAttributes(*entity);
        block->appendEntity(std::move(entity));
        return true;
    }

    void flushPolyline()
    {
        if (!m_polyline)
            return;
        std::unique_ptr<OdDbPolyline> polyline = std::move(m_polyline);
        if (!m_polylineTarget || m_polylineIgnored || polyline->vertices.isEmpty())
            return;
        m_polylineTarget->appendEntity(std::move(polyline));
    }

    CKvDatabase& m_db;
    const TextDecoder& m_decoder;
    OdDbBlockTableRecord* m_model = nullptr;
    OdDbBlockTableRecord* m_paper = nullptr;
    OdDbBlockTableRecord* m_block = nullptr;
    bool m_skipBlock = false;
    QHash<QString, OdDbBlockTableRecord*> m_blocksByName;
    QSet<OdDbBlockTableRecord*> m_filled;
    std::unordered_map<std::string, QString> m_layerNames;
    std::vector<std::pair<OdDbBlockReference*, QString>> m_references;
    std::unique_ptr<OdDbPolyline> m_polyline;
    OdDbBlockTableRecord* m_polylineTarget = nullptr;
    bool m_polylineMirrored = false;
    bool m_polylineIgnored = false;
    bool m_groupEndedSincePolyline = false;
    std::string m_mtextChunks;
};

} // namespace

bool KvDxfReader::looksLikeDxf(const QByteArray& head)
{
    const string_view data = withoutBom(string_view(head.constData(), size_t(head.size())));
    LineReader lines(data.data(), data.data() + data.size());
    string_view codeLine, value;
    while (lines.next(codeLine)) {
        if (isBlank(codeLine))
            continue;
        int code = -1;
        if (!parseCode(codeLine, code) || !lines.next(value))
            return false;
        if (code == 999)
            continue;
        return code == 0 && trimmed(value) == "SECTION";
    }
    return false;
}

bool KvDxfReader::readFile(const QString& path, CKvDatabase& database)
{
    // Folders, devices and pipes are no drawings (and a pipe could keep the reader waiting).
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return false;
    if (!looksLikeDxf(file.peek(4096)))
        return false;
    return readData(file.readAll(), database);
}

bool KvDxfReader::readData(const QByteArray& data, CKvDatabase& database)
{
    if (!looksLikeDxf(data.left(4096)))
        return false;
    try {
        Scanner scanner;
        if (!scanner.run(string_view(data.constData(), size_t(data.size()))))
            return false;
        const TextDecoder decoder(scanner.unicodeText, scanner.codePage);
        Builder builder(database, decoder);
        std::istringstream stream(scanner.out);
        DL_Dxf dxf;
        if (!dxf.in(stream, &builder))
            return false;
        builder.finish();
        return true;
    } catch (...) {
        // Out of memory while reading: the caller clears what was built.
        return false;
    }
}
