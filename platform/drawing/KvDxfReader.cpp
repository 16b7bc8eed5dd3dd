#include "drawing/KvDxfReader.h"

#include "drawing/KvDatabase.h"
#include "drawing/KvGeometry.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTextCodec>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using std::string_view;

// --- Lines and groups
//
// The data is read once, group by group. Each object (a table record, a block, an entity) is
// gathered with its groups and built when the next one starts. Counts the file gives are never
// believed: lists are as long as the groups that are there.

enum class ValueKind { String, Real, Integer };

// Codes of no range the format knows hold text as far as the reader is concerned: they are
// skipped like any group that is not used.
ValueKind kindOf(int code)
{
    struct Range { int first, last; ValueKind kind; };
    static const Range ranges[] = {
        {10, 59, ValueKind::Real},      {60, 79, ValueKind::Integer},   {90, 99, ValueKind::Integer},
        {110, 149, ValueKind::Real},    {160, 179, ValueKind::Integer}, {210, 239, ValueKind::Real},
        {270, 299, ValueKind::Integer}, {370, 389, ValueKind::Integer}, {400, 409, ValueKind::Integer},
        {420, 429, ValueKind::Integer}, {440, 459, ValueKind::Integer}, {460, 469, ValueKind::Real},
        {1010, 1059, ValueKind::Real},  {1060, 1071, ValueKind::Integer},
    };
    for (const Range& r : ranges)
        if (code >= r.first && code <= r.last)
            return r.kind;
    return ValueKind::String;
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

// Lines of the data, without their line ends (LF or CR LF), counted from 1.
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
        ++m_number;
        return true;
    }
    int number() const { return m_number; }

private:
    const char* m_pos;
    const char* m_end;
    int m_number = 0;
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

int lineOf(string_view data, size_t offset)
{
    return int(std::count(data.begin(), data.begin() + std::ptrdiff_t(offset), '\n')) + 1;
}

struct Group
{
    int code;
    double number; // numeric codes
    string_view value;
};

// Coordinates, sizes and scales beyond this are no drawing's; an entity holding one is left out
// (the empty extents box starts at 1e20).
constexpr double kMaxMagnitude = 1e18;

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

    QString decode(string_view s) const
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

// A group's number as an integer; numbers beyond the range of one are taken at its ends.
int toInt(double number)
{
    return int(std::clamp(number, -2147483648.0, 2147483647.0));
}

double radians(double degrees)
{
    return degrees * M_PI / 180;
}

// The entities kept; the others are skipped whole.
bool isKeptEntity(string_view type)
{
    static const char* const kinds[] = {"LINE",  "POINT",   "CIRCLE", "ARC",    "ELLIPSE",   "LWPOLYLINE", "POLYLINE",
                                        "VERTEX", "SEQEND", "TEXT",   "MTEXT",  "SOLID",     "INSERT",     "3DFACE",
                                        "SPLINE", "DIMENSION", "HATCH", "LEADER", "MLINE", "IMAGE",       "WIPEOUT"};
    return std::any_of(std::begin(kinds), std::end(kinds), [&](const char* kind) { return type == kind; });
}

// Why a file is refused.
struct Damage
{
    int line;
    const char* what;
};

// --- The reader

class Reader
{
public:
    explicit Reader(CKvDatabase& database);
    // Reads the whole data into the database; false with damage() set when it is damaged.
    bool run(string_view data);
    const Damage& damage() const { return m_damage; }

private:
    enum class Section { None, Header, Tables, Blocks, Entities, Other };
    enum class Object { Skip, Layer, Block, Entity };

    bool fail(int line, const char* what)
    {
        m_damage = {line, what};
        return false;
    }
    bool startObject(string_view type, int line);
    bool finishObject(int line);
    bool endSection(int line);
    void finish();

    // The groups of the object being read.
    const Group* find(int code) const;
    double real(int code, double fallback) const;
    int integer(int code, int fallback) const;
    string_view text(int code) const;
    OdGePoint3d point(int code) const; // code, code + 10, code + 20
    QString decoded(string_view s);

    // Header settings.
    void keepVariable();
    void applyVariables();

    // Building.
    void buildLayer();
    bool buildBlock(int line);
    void buildEntity();
    OdDbBlockTableRecord* target() const;
    bool mirrored() const;
    void applyAttributes(OdDbEntity& e);
    void add(std::unique_ptr<OdDbEntity> entity);
    void flushPolyline();
    void startPolyline();
    void addVertex();
    std::unique_ptr<OdDbEntity> makeLwPolyline();
    std::unique_ptr<OdDbEntity> makeText(bool multiline);
    std::unique_ptr<OdDbEntity> makeSpline();
    std::unique_ptr<OdDbEntity> makeHatch();
    std::unique_ptr<OdDbEntity> makeMline();
    std::unique_ptr<OdDbEntity> makeImage(bool wipeout);
    void reference(std::unique_ptr<OdDbBlockReference> reference, string_view name);

    CKvDatabase& m_db;
    Damage m_damage{0, ""};

    Section m_section = Section::None;
    Object m_object = Object::Skip;
    string_view m_type;
    std::vector<Group> m_groups;
    std::array<int, 100> m_first{}; // index of the first group of each code below 100, or -1
    bool m_drop = false;            // a value beyond any drawing: the entity is left out
    bool m_embedded = false;        // after group 101 the groups belong to an embedded object
    bool m_inBlock = false;

    // Header: the variable being read and the ones read, applied when the header ends.
    struct Variable
    {
        string_view name;
        std::vector<Group> groups;
    };
    std::vector<Variable> m_variables;
    bool m_unicode = false;
    QByteArray m_codePage;
    std::optional<TextDecoder> m_decoder;
    QString m_currentLayer;

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
};

Reader::Reader(CKvDatabase& database) : m_db(database)
{
    m_model = dynamic_cast<OdDbBlockTableRecord*>(m_db.getModelSpaceId().openObject());
    m_paper = dynamic_cast<OdDbBlockTableRecord*>(m_db.getPaperSpaceId().openObject());
    for (const auto& block : m_db.blockTable())
        m_blocksByName.insert(block->name.toLower(), block.get());
    m_first.fill(-1);
}

bool Reader::run(string_view data)
{
    data = withoutBom(data);
    const size_t zero = data.find('\0');
    if (zero != string_view::npos)
        return fail(lineOf(data, zero), "a zero byte");
    LineReader lines(data.data(), data.data() + data.size());
    string_view codeLine, value;
    bool started = false, expectSectionName = false;
    while (lines.next(codeLine)) {
        if (!started && isBlank(codeLine))
            continue;
        started = true;
        const int line = lines.number();
        int code = -1;
        if (!parseCode(codeLine, code))
            return fail(line, "a group code is not a number");
        if (!lines.next(value))
            return fail(line, "the last group has no value");

        if (expectSectionName) {
            if (code != 2)
                return fail(line, "a section has no name");
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
            if (code == 0 && word == "EOF") {
                finish();
                return true;
            }
            if (code != 0 || word != "SECTION")
                return fail(line, "only a section or the end of the file may come here");
            expectSectionName = true;
            continue;
        }
        if (code == 0) {
            const string_view word = trimmed(value);
            if (!finishObject(line))
                return false;
            if (word == "ENDSEC") {
                if (!endSection(line))
                    return false;
                continue;
            }
            if (word == "SECTION")
                return fail(line, "a section starts inside another");
            if (word == "EOF")
                return fail(line, "the file ends inside a section");
            if (!startObject(word, line))
                return false;
            continue;
        }
        if (m_section == Section::Header) {
            if (code == 9) {
                m_variables.push_back({trimmed(value), {}});
            } else if (!m_variables.empty()) {
                Group g{code, 0, value};
                // A value that is not the number it should be leaves the setting as it is.
                if (kindOf(code) == ValueKind::String || parseReal(value, g.number))
                    m_variables.back().groups.push_back(g);
            }
            continue;
        }
        if (m_object == Object::Skip || m_embedded)
            continue;
        if (code == 101) {
            // An object embedded in the entity repeats its codes with other meanings.
            m_embedded = true;
            continue;
        }
        Group g{code, 0, value};
        if (kindOf(code) != ValueKind::String) {
            if (!parseReal(value, g.number))
                return fail(line + 1, "a number is expected");
            if (code < 60 && std::fabs(g.number) > kMaxMagnitude)
                m_drop = true;
        }
        if (code >= 0 && code < int(m_first.size()) && m_first[size_t(code)] < 0)
            m_first[size_t(code)] = int(m_groups.size());
        m_groups.push_back(g);
    }
    return fail(lines.number(), "the file ends before its end mark");
}

bool Reader::startObject(string_view type, int line)
{
    m_type = type;
    m_object = Object::Skip;
    if (type != "VERTEX")
        flushPolyline();
    switch (m_section) {
    case Section::Tables:
        if (type == "LAYER")
            m_object = Object::Layer;
        return true;
    case Section::Blocks:
        if (type == "BLOCK") {
            if (m_inBlock)
                return fail(line, "a block starts inside another");
            m_inBlock = true;
            m_object = Object::Block;
            return true;
        }
        if (type == "ENDBLK") {
            if (!m_inBlock)
                return fail(line, "a block ends that never started");
            m_inBlock = false;
            m_block = nullptr;
            m_skipBlock = false;
            return true;
        }
        if (!m_inBlock)
            return fail(line, "an entity outside any block");
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

bool Reader::finishObject(int line)
{
    bool ok = true;
    switch (m_object) {
    case Object::Skip:
        break;
    case Object::Layer:
        buildLayer();
        break;
    case Object::Block:
        ok = buildBlock(line);
        break;
    case Object::Entity:
        if (!m_drop)
            buildEntity();
        break;
    }
    m_object = Object::Skip;
    for (const Group& g : m_groups)
        if (g.code >= 0 && g.code < int(m_first.size()))
            m_first[size_t(g.code)] = -1;
    m_groups.clear();
    m_drop = false;
    m_embedded = false;
    return ok;
}

bool Reader::endSection(int line)
{
    if (m_inBlock)
        return fail(line, "a section ends inside a block");
    flushPolyline();
    if (m_section == Section::Header)
        applyVariables();
    m_section = Section::None;
    m_object = Object::Skip;
    return true;
}

void Reader::finish()
{
    flushPolyline();
    for (const auto& [ref, name] : m_references)
        if (OdDbBlockTableRecord* block = m_blocksByName.value(name.toLower()))
            ref->blockId = block->objectId();
    // The current layer is set once the layers are known; a layer the file does not have
    // leaves layer 0 current.
    if (!m_currentLayer.isEmpty())
        m_db.setSysVar(QStringLiteral("CLAYER"), KvVariable::string(m_currentLayer));
}

const Group* Reader::find(int code) const
{
    if (code >= 0 && code < int(m_first.size())) {
        const int at = m_first[size_t(code)];
        return at < 0 ? nullptr : &m_groups[size_t(at)];
    }
    for (const Group& g : m_groups)
        if (g.code == code)
            return &g;
    return nullptr;
}

double Reader::real(int code, double fallback) const
{
    const Group* g = find(code);
    return g ? g->number : fallback;
}

int Reader::integer(int code, int fallback) const
{
    const Group* g = find(code);
    return g ? toInt(g->number) : fallback;
}

string_view Reader::text(int code) const
{
    const Group* g = find(code);
    return g ? g->value : string_view();
}

OdGePoint3d Reader::point(int code) const
{
    return {real(code, 0), real(code + 10, 0), real(code + 20, 0)};
}

QString Reader::decoded(string_view s)
{
    if (!m_decoder)
        m_decoder.emplace(m_unicode, m_codePage);
    return m_decoder->decode(s);
}

// --- Header settings

void Reader::applyVariables()
{
    for (const Variable& v : m_variables)
        if (v.name == "$ACADVER" && !v.groups.empty())
            m_unicode = trimmed(v.groups.front().value) >= string_view("AC1021");
        else if (v.name == "$DWGCODEPAGE" && !v.groups.empty())
            m_codePage = QByteArray(trimmed(v.groups.front().value).data(), int(trimmed(v.groups.front().value).size()));
    m_decoder.reset();

    for (const Variable& v : m_variables) {
        if (v.groups.empty() || v.name.size() < 2 || v.name.front() != '$')
            continue;
        const QString name = decoded(v.name.substr(1));
        const Group& first = v.groups.front();
        const int code = first.code;
        KvVariable value;
        if (code >= 10 && code <= 18) {
            double xyz[3] = {0, 0, 0};
            for (const Group& g : v.groups)
                if (g.code == code || g.code == code + 10 || g.code == code + 20)
                    xyz[(g.code - code) / 10] = g.number;
            value = KvVariable::point3d(xyz[0], xyz[1], xyz[2]);
        } else if (code >= 1 && code <= 8 && code != 5) { // 5 is a handle
            value = KvVariable::string(decoded(trimmed(first.value)));
        } else if (code >= 40 && code <= 59) {
            value = KvVariable::number(first.number);
        } else if (code >= 90 && code <= 99) {
            if (first.number < -2147483648.0 || first.number > 2147483647.0)
                continue;
            value = KvVariable::int32(qint32(first.number));
        } else if ((code >= 60 && code <= 79) || (code >= 170 && code <= 179) || (code >= 270 && code <= 299)
                   || (code >= 370 && code <= 389)) {
            if (first.number < -32768 || first.number > 32767)
                continue;
            value = KvVariable::int16(short(first.number));
        } else {
            continue; // handles and the like
        }
        if (name.compare(QLatin1String("CLAYER"), Qt::CaseInsensitive) == 0 && value.type == KvVariable::Type::String)
            m_currentLayer = value.text;
        else
            m_db.setSysVar(name, value);
    }
    m_variables.clear();
}

// --- Tables and blocks

void Reader::buildLayer()
{
    const QString name = decoded(trimmed(text(2)));
    if (name.isEmpty())
        return;
    int color = integer(62, 7);
    const bool off = color < 0;
    color = std::abs(color);
    if (color < 1 || color > 255)
        color = 7;
    const bool frozen = (integer(70, 0) & 1) != 0;
    for (KvLayer& layer : m_db.layers())
        if (layer.name.compare(name, Qt::CaseInsensitive) == 0) {
            layer.colorIndex = color;
            layer.off = off;
            layer.frozen = frozen;
            return;
        }
    KvLayer layer;
    layer.name = name;
    layer.colorIndex = color;
    layer.off = off;
    layer.frozen = frozen;
    m_db.layers().append(layer);
}

bool Reader::buildBlock(int line)
{
    QString name = decoded(trimmed(text(2)));
    if (name.isEmpty())
        name = decoded(trimmed(text(3)));
    if (name.isEmpty())
        return fail(line, "a block has no name");
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
        return true;
    } else {
        block = dynamic_cast<OdDbBlockTableRecord*>(m_db.addBlock(name).openObject());
        if (!block)
            return true;
        m_blocksByName.insert(name.toLower(), block);
    }
    block->origin = m_drop ? OdGePoint3d{} : point(10);
    block->flags = integer(70, 0);
    m_filled.insert(block);
    m_block = block;
    return true;
}

// --- Entities

OdDbBlockTableRecord* Reader::target() const
{
    if (m_section == Section::Blocks)
        return m_skipBlock ? nullptr : m_block;
    return integer(67, 0) == 1 ? m_paper : m_model;
}

// Entities drawn in a plane seen from below (extrusion direction -Z), as mirrored arcs and
// blocks are stored, have their x axis reversed.
bool Reader::mirrored() const
{
    return real(230, 1) < 0 && std::fabs(real(210, 0)) < 1.0 / 64 && std::fabs(real(220, 0)) < 1.0 / 64;
}

void Reader::applyAttributes(OdDbEntity& e)
{
    const string_view layer = trimmed(text(8));
    const std::string key(layer);
    auto found = m_layerNames.find(key);
    if (found == m_layerNames.end()) {
        const QString name = layer.empty() ? QStringLiteral("0") : decoded(layer);
        found = m_layerNames.emplace(key, name).first;
    }
    e.layer = found->second;
    const int color = integer(62, 256);
    e.colorIndex = color >= 0 && color <= 256 ? color : 256;
}

void Reader::add(std::unique_ptr<OdDbEntity> entity)
{
    OdDbBlockTableRecord* block = target();
    if (!block || !entity)
        return;
    applyAttributes(*entity);
    block->appendEntity(std::move(entity));
}

void Reader::reference(std::unique_ptr<OdDbBlockReference> ref, string_view name)
{
    OdDbBlockReference* raw = ref.get();
    OdDbBlockTableRecord* block = target();
    add(std::move(ref));
    if (block)
        m_references.push_back({raw, decoded(trimmed(name))});
}

void Reader::startPolyline()
{
    const int flags = integer(70, 0);
    m_polyline = std::make_unique<OdDbPolyline>();
    applyAttributes(*m_polyline);
    m_polyline->lightweight = false;
    m_polyline->closed = (flags & 1) != 0;
    // Points of 3D polylines are in the drawing's coordinates; 2D ones lie in their plane.
    m_polylineMirrored = (flags & 8) == 0 && mirrored();
    m_polylineTarget = target();
    // Meshes and face sets are not lines.
    m_polylineIgnored = (flags & (16 | 64)) != 0;
}

void Reader::addVertex()
{
    // Frame points of a spline-fit polyline are not on it.
    if (!m_polyline || (integer(70, 0) & 16) != 0)
        return;
    OdDbPolyline::Vertex v;
    v.point = point(10);
    v.bulge = real(42, 0);
    if (m_polylineMirrored) {
        v.point.x = -v.point.x;
        v.bulge = -v.bulge;
    }
    m_polyline->vertices.append(v);
}

void Reader::flushPolyline()
{
    if (!m_polyline)
        return;
    std::unique_ptr<OdDbPolyline> polyline = std::move(m_polyline);
    if (m_polylineTarget && !m_polylineIgnored && !polyline->vertices.isEmpty())
        m_polylineTarget->appendEntity(std::move(polyline));
}

std::unique_ptr<OdDbEntity> Reader::makeLwPolyline()
{
    auto e = std::make_unique<OdDbPolyline>();
    e->closed = (integer(70, 0) & 1) != 0;
    const double elevation = real(38, 0);
    const bool flip = mirrored();
    // Vertex data that comes before the first vertex belongs to none.
    for (const Group& g : m_groups) {
        if (g.code == 10)
            e->vertices.append({{flip ? -g.number : g.number, 0, elevation}, 0});
        else if (e->vertices.isEmpty())
            continue;
        else if (g.code == 20)
            e->vertices.last().point.y = g.number;
        else if (g.code == 42)
            e->vertices.last().bulge = flip ? -g.number : g.number;
    }
    if (e->vertices.isEmpty())
        return nullptr;
    return e;
}

std::unique_ptr<OdDbEntity> Reader::makeText(bool multiline)
{
    auto e = std::make_unique<OdDbText>();
    e->multiline = multiline;
    e->position = point(10);
    e->height = real(40, 1);
    if (!multiline) {
        e->text = decoded(text(1));
        e->rotation = radians(real(50, 0));
        e->attachment = 0;
        if (mirrored()) {
            e->position.x = -e->position.x;
            e->rotation = M_PI - e->rotation;
        }
        return e;
    }
    // The text comes in chunks of 250 characters (group 3), the last one in group 1.
    std::string all;
    for (const Group& g : m_groups)
        if (g.code == 3)
            all.append(g.value.data(), g.value.size());
    const string_view last = text(1);
    all.append(last.data(), last.size());
    e->text = decoded(all);
    e->width = real(41, 0);
    e->attachment = integer(71, 1);
    const double dx = real(11, 0), dy = real(21, 0);
    e->rotation = dx != 0 || dy != 0 ? std::atan2(dy, dx) : radians(real(50, 0));
    return e;
}

std::unique_ptr<OdDbEntity> Reader::makeSpline()
{
    auto e = std::make_unique<OdDbSpline>();
    e->degree = integer(71, 3);
    e->closed = (integer(70, 0) & 1) != 0;
    for (const Group& g : m_groups) {
        switch (g.code) {
        case 10: e->controlPoints.append({g.number, 0, 0}); break;
        case 20: if (!e->controlPoints.isEmpty()) e->controlPoints.last().y = g.number; break;
        case 30: if (!e->controlPoints.isEmpty()) e->controlPoints.last().z = g.number; break;
        case 11: e->fitPoints.append({g.number, 0, 0}); break;
        case 21: if (!e->fitPoints.isEmpty()) e->fitPoints.last().y = g.number; break;
        case 31: if (!e->fitPoints.isEmpty()) e->fitPoints.last().z = g.number; break;
        case 40: e->knots.append(g.number); break;
        case 41: e->weights.append(g.number); break;
        default: break;
        }
    }
    e->evaluate();
    if (e->curve.isEmpty())
        return nullptr;
    return e;
}

// Boundary edges turned into a closed chain of bulge vertices: lines and circular arcs exactly,
// elliptic arcs and splines as points along them.
class LoopBuilder
{
public:
    void addPoint(double x, double y, double bulge = 0)
    {
        if (!m_loop.isEmpty()) {
            OdDbPolyline::Vertex& last = m_loop.last();
            if (std::fabs(last.point.x - x) < kSame && std::fabs(last.point.y - y) < kSame) {
                last.bulge = bulge;
                return;
            }
        }
        m_loop.append({{x, y, 0}, bulge});
    }
    void line(double x0, double y0, double x1, double y1)
    {
        addPoint(x0, y0);
        addPoint(x1, y1);
    }
    // A circular arc from t0 over sweep (radians, negative: clockwise).
    void arc(double cx, double cy, double r, double t0, double sweep)
    {
        if (!(r > 0))
            return;
        // A bulge stands for at most half a turn without growing huge.
        const int parts = std::fabs(sweep) > M_PI ? 2 : 1;
        for (int i = 0; i < parts; ++i) {
            const double a = t0 + sweep * i / parts;
            addPoint(cx + r * std::cos(a), cy + r * std::sin(a), std::tan(sweep / parts / 4));
        }
        const double end = t0 + sweep;
        addPoint(cx + r * std::cos(end), cy + r * std::sin(end));
    }
    void ellipse(double cx, double cy, double mx, double my, double ratio, double t0, double sweep)
    {
        const int n = std::max(4, int(std::ceil(std::fabs(sweep) / (2 * M_PI) * 64)));
        for (int i = 0; i <= n; ++i) {
            const double t = t0 + sweep * i / n, c = std::cos(t), s = std::sin(t);
            addPoint(cx + mx * c - my * ratio * s, cy + my * c + mx * ratio * s);
        }
    }
    void points(const QVector<OdGePoint3d>& points)
    {
        for (const OdGePoint3d& p : points)
            addPoint(p.x, p.y);
    }
    void vertex(double x, double y, double bulge) { m_loop.append({{x, y, 0}, bulge}); }
    void setLastY(double y)
    {
        if (!m_loop.isEmpty())
            m_loop.last().point.y = y;
    }
    void setLastBulge(double bulge)
    {
        if (!m_loop.isEmpty())
            m_loop.last().bulge = bulge;
    }
    // The loop, closed back to its first point, or nothing when it has no area to show.
    OdDbHatch::Loop take()
    {
        OdDbHatch::Loop loop = std::move(m_loop);
        m_loop.clear();
        if (loop.size() > 1 && std::fabs(loop.first().point.x - loop.last().point.x) < kSame
            && std::fabs(loop.first().point.y - loop.last().point.y) < kSame)
            loop.removeLast();
        return loop;
    }

private:
    static constexpr double kSame = 1e-9;
    OdDbHatch::Loop m_loop;
};

std::unique_ptr<OdDbEntity> Reader::makeHatch()
{
    auto e = std::make_unique<OdDbHatch>();
    e->patternName = decoded(trimmed(text(2)));
    e->solidFill = integer(70, 0) == 1;
    const double elevation = real(30, 0);

    // The boundary groups repeat codes with meanings that depend on where they stand, so they
    // are read in order: from the path count (91) to the hatch style (75) that follows the paths.
    enum class Edge { None, Line, Arc, Ellipse, Spline };
    size_t i = 0;
    while (i < m_groups.size() && m_groups[i].code != 91)
        ++i;
    LoopBuilder loop;
    bool polylinePath = false, open = false;
    Edge edge = Edge::None;
    // The edge being read.
    double x[2] = {0, 0}, y[2] = {0, 0}, radius = 0, ratio = 1, angles[2] = {0, 0};
    bool ccw = true;
    int degree = 3;
    QVector<double> knots, weights;
    QVector<OdGePoint3d> controls, fits;
    auto endEdge = [&] {
        switch (edge) {
        case Edge::Line:
            loop.line(x[0], y[0], x[1], y[1]);
            break;
        case Edge::Arc:
        case Edge::Ellipse: {
            // Clockwise edges store their angles mirrored: 360 minus the angle.
            const double t0 = radians(angles[0]), t1 = radians(angles[1]);
            const double sweep = KvGeometry::sweep(t0, t1);
            const double start = ccw ? t0 : -t0, signedSweep = ccw ? sweep : -sweep;
            if (edge == Edge::Arc)
                loop.arc(x[0], y[0], radius, start, signedSweep);
            else
                loop.ellipse(x[0], y[0], x[1], y[1], ratio, start, signedSweep);
            break;
        }
        case Edge::Spline:
            loop.points(controls.isEmpty() ? KvGeometry::sampleThroughPoints(fits, false)
                                           : KvGeometry::sampleBSpline(degree, knots, controls, weights));
            break;
        case Edge::None:
            break;
        }
        edge = Edge::None;
    };
    auto endLoop = [&] {
        endEdge();
        OdDbHatch::Loop done = loop.take();
        if (done.size() > 1)
            e->loops.append(done);
        open = false;
    };
    for (++i; i < m_groups.size(); ++i) {
        const Group& g = m_groups[i];
        const double v = g.number;
        if (g.code == 75 || g.code == 76 || g.code == 52 || g.code == 77 || g.code == 78 || g.code == 98)
            break; // the pattern and the seed points follow the paths
        if (g.code == 92) {
            if (open)
                endLoop();
            open = true;
            polylinePath = (toInt(v) & 2) != 0;
            continue;
        }
        if (!open)
            continue;
        if (polylinePath) {
            if (g.code == 10)
                loop.vertex(v, 0, 0);
            else if (g.code == 20)
                loop.setLastY(v);
            else if (g.code == 42)
                loop.setLastBulge(v);
            continue;
        }
        if (g.code == 72) {
            endEdge();
            const int type = toInt(v);
            edge = type == 1 ? Edge::Line : type == 2 ? Edge::Arc : type == 3 ? Edge::Ellipse : type == 4 ? Edge::Spline : Edge::None;
            x[0] = y[0] = x[1] = y[1] = radius = angles[0] = angles[1] = 0;
            ratio = 1;
            ccw = true;
            degree = 3;
            knots.clear();
            weights.clear();
            controls.clear();
            fits.clear();
            continue;
        }
        switch (edge) {
        case Edge::Line:
        case Edge::Arc:
        case Edge::Ellipse:
            switch (g.code) {
            case 10: x[0] = v; break;
            case 20: y[0] = v; break;
            case 11: x[1] = v; break;
            case 21: y[1] = v; break;
            case 40: (edge == Edge::Arc ? radius : ratio) = v; break;
            case 50: angles[0] = v; break;
            case 51: angles[1] = v; break;
            case 73: ccw = v != 0; break;
            default: break;
            }
            break;
        case Edge::Spline:
            switch (g.code) {
            case 94: degree = toInt(v); break;
            case 40: knots.append(v); break;
            case 10: controls.append({v, 0, 0}); break;
            case 20: if (!controls.isEmpty()) controls.last().y = v; break;
            case 42: weights.append(v); break;
            case 11: fits.append({v, 0, 0}); break;
            case 21: if (!fits.isEmpty()) fits.last().y = v; break;
            default: break;
            }
            break;
        case Edge::None:
            break;
        }
    }
    if (open)
        endLoop();
    const bool flip = mirrored();
    for (OdDbHatch::Loop& l : e->loops)
        for (OdDbPolyline::Vertex& vertex : l) {
            vertex.point.z = elevation;
            if (flip) {
                vertex.point.x = -vertex.point.x;
                vertex.bulge = -vertex.bulge;
            }
        }
    if (e->loops.isEmpty())
        return nullptr;
    return e;
}

std::unique_ptr<OdDbEntity> Reader::makeMline()
{
    auto e = std::make_unique<OdDbMline>();
    e->closed = (integer(71, 0) & 2) != 0;
    // Per vertex: its point (11), its miter direction (13) and, per element, the element's
    // parameters (74 count, then 41 values) whose first is the offset along the miter.
    struct Vertex
    {
        OdGePoint3d point, miter;
        QVector<double> offsets;
    };
    QVector<Vertex> vertices;
    bool firstParameter = false;
    for (const Group& g : m_groups) {
        if (g.code == 11) {
            vertices.append(Vertex{{g.number, 0, 0}, {0, 0, 0}, {}});
            continue;
        }
        if (vertices.isEmpty())
            continue;
        Vertex& last = vertices.last();
        switch (g.code) {
        case 21: last.point.y = g.number; break;
        case 31: last.point.z = g.number; break;
        case 13: last.miter.x = g.number; break;
        case 23: last.miter.y = g.number; break;
        case 33: last.miter.z = g.number; break;
        case 74: firstParameter = true; last.offsets.append(0); break;
        case 41:
            if (firstParameter && !last.offsets.isEmpty())
                last.offsets.last() = g.number;
            firstParameter = false;
            break;
        default: break;
        }
    }
    if (vertices.isEmpty())
        return nullptr;
    int elements = 0;
    for (const Vertex& v : vertices) {
        e->vertices.append(v.point);
        elements = std::max(elements, int(v.offsets.size()));
    }
    for (int k = 0; k < elements; ++k) {
        QVector<OdGePoint3d> line;
        for (const Vertex& v : vertices)
            if (k < v.offsets.size()) {
                const double d = v.offsets[k];
                line.append({v.point.x + v.miter.x * d, v.point.y + v.miter.y * d, v.point.z + v.miter.z * d});
            }
        if (line.size() > 1)
            e->elementLines.append(line);
    }
    return e;
}

std::unique_ptr<OdDbEntity> Reader::makeImage(bool wipeout)
{
    std::unique_ptr<OdDbRasterImage> e = wipeout ? std::make_unique<OdDbWipeout>() : std::make_unique<OdDbRasterImage>();
    e->origin = point(10);
    e->u = point(11);
    e->v = point(12);
    e->width = real(13, 1);
    e->height = real(23, 1);
    if (!wipeout)
        e->clipped = integer(280, 0) != 0;
    for (const Group& g : m_groups) {
        if (g.code == 14)
            e->clipBoundary.append(QPointF(g.number, 0));
        else if (g.code == 24 && !e->clipBoundary.isEmpty())
            e->clipBoundary.last().setY(g.number);
    }
    return e;
}

void Reader::buildEntity()
{
    const string_view type = m_type;
    if (type == "VERTEX") {
        addVertex();
        return;
    }
    if (type == "SEQEND")
        return; // the polyline was ended when this started
    if (type == "POLYLINE") {
        startPolyline();
        return;
    }
    const bool flip = mirrored();
    if (type == "LINE") {
        auto e = std::make_unique<OdDbLine>();
        e->start = point(10);
        e->end = point(11);
        add(std::move(e));
    } else if (type == "POINT") {
        auto e = std::make_unique<OdDbPoint>();
        e->position = point(10);
        add(std::move(e));
    } else if (type == "CIRCLE") {
        auto e = std::make_unique<OdDbCircle>();
        e->center = point(10);
        e->radius = real(40, 0);
        if (flip)
            e->center.x = -e->center.x;
        add(std::move(e));
    } else if (type == "ARC") {
        auto e = std::make_unique<OdDbArc>();
        e->center = point(10);
        e->radius = real(40, 0);
        e->startAngle = radians(real(50, 0));
        e->endAngle = radians(real(51, 360));
        if (flip) {
            // Seen from below, the arc runs the other way round.
            e->center.x = -e->center.x;
            const double start = e->startAngle;
            e->startAngle = M_PI - e->endAngle;
            e->endAngle = M_PI - start;
        }
        add(std::move(e));
    } else if (type == "ELLIPSE") {
        auto e = std::make_unique<OdDbEllipse>();
        e->center = point(10);
        e->majorAxis = point(11);
        e->ratio = real(40, 1);
        e->startParam = real(41, 0);
        e->endParam = real(42, 2 * M_PI);
        add(std::move(e));
    } else if (type == "LWPOLYLINE") {
        add(makeLwPolyline());
    } else if (type == "TEXT" || type == "MTEXT") {
        add(makeText(type == "MTEXT"));
    } else if (type == "SOLID" || type == "3DFACE") {
        OdGePoint3d corners[4];
        for (int i = 0; i < 4; ++i)
            corners[i] = point(10 + i);
        if (type == "SOLID") {
            auto e = std::make_unique<OdDbSolid>();
            for (int i = 0; i < 4; ++i)
                e->corners[i] = {flip ? -corners[i].x : corners[i].x, corners[i].y, corners[i].z};
            add(std::move(e));
        } else {
            auto e = std::make_unique<OdDbFace>();
            std::copy(corners, corners + 4, e->corners);
            e->invisibleEdges = integer(70, 0) & 15;
            add(std::move(e));
        }
    } else if (type == "INSERT") {
        auto e = std::make_unique<OdDbBlockReference>();
        e->position = point(10);
        e->scaleX = real(41, 1);
        e->scaleY = real(42, 1);
        e->scaleZ = real(43, 1);
        e->rotation = radians(real(50, 0));
        if (flip) {
            // A reference seen from below is a mirrored one.
            e->position.x = -e->position.x;
            e->scaleX = -e->scaleX;
            e->rotation = -e->rotation;
        }
        reference(std::move(e), text(2));
    } else if (type == "DIMENSION") {
        auto e = std::make_unique<OdDbDimension>();
        e->dimensionType = integer(70, 0) & 15;
        e->definitionPoint = point(10);
        e->textPosition = point(11);
        e->text = decoded(text(1));
        reference(std::move(e), text(2));
    } else if (type == "SPLINE") {
        add(makeSpline());
    } else if (type == "HATCH") {
        add(makeHatch());
    } else if (type == "LEADER") {
        auto e = std::make_unique<OdDbLeader>();
        for (const Group& g : m_groups)
            if (g.code == 10)
                e->vertices.append({g.number, 0, 0});
            else if (g.code == 20 && !e->vertices.isEmpty())
                e->vertices.last().y = g.number;
            else if (g.code == 30 && !e->vertices.isEmpty())
                e->vertices.last().z = g.number;
        if (!e->vertices.isEmpty())
            add(std::move(e));
    } else if (type == "MLINE") {
        add(makeMline());
    } else if (type == "IMAGE" || type == "WIPEOUT") {
        add(makeImage(type == "WIPEOUT"));
    }
}

bool isBinaryDxf(const QByteArray& head)
{
    const int at = head.indexOf("Binary DXF\r\n\x1a");
    return at >= 0 && at < 40;
}

// A DWG file starts with its version, "AC1" and three digits.
bool isDwg(const QByteArray& head)
{
    if (head.size() < 6 || !head.startsWith("AC1"))
        return false;
    return std::all_of(head.begin() + 3, head.begin() + 6, [](char c) { return c >= '0' && c <= '9'; });
}

QString notDxfReason(const QByteArray& head)
{
    if (isBinaryDxf(head))
        return QStringLiteral("it is binary DXF; only ASCII DXF is read");
    if (isDwg(head))
        return QStringLiteral("it is a DWG file; only drawings saved as DXF are read");
    return QStringLiteral("it is not a DXF drawing");
}

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

bool KvDxfReader::readFile(const QString& path, CKvDatabase& database, QString* reason)
{
    auto refuse = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QStringLiteral("the file does not exist"));
    if (info.isDir())
        return refuse(QStringLiteral("it is a folder"));
    // Devices and pipes are no drawings (and a pipe could keep the reader waiting).
    if (!info.isFile())
        return refuse(QStringLiteral("it is not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("it cannot be opened (%1)").arg(file.errorString()));
    if (file.size() > kMaxFileSize)
        return refuse(QStringLiteral("it is larger than %1 MB").arg(kMaxFileSize >> 20));
    const QByteArray head = file.peek(4096);
    if (!looksLikeDxf(head))
        return refuse(notDxfReason(head));
    QByteArray data;
    try {
        data = file.readAll();
    } catch (const std::bad_alloc&) {
        return refuse(QStringLiteral("there is not enough memory to read it"));
    }
    if (data.size() != file.size())
        return refuse(QStringLiteral("it cannot be read (%1)").arg(file.errorString()));
    return readData(data, database, reason);
}

bool KvDxfReader::readData(const QByteArray& data, CKvDatabase& database, QString* reason)
{
    const QByteArray head = data.left(4096);
    if (!looksLikeDxf(head)) {
        if (reason)
            *reason = notDxfReason(head);
        return false;
    }
    QString why;
    try {
        Reader reader(database);
        if (reader.run(string_view(data.constData(), size_t(data.size()))))
            return true;
        why = QStringLiteral("it is damaged at line %1 (%2)").arg(reader.damage().line).arg(QLatin1String(reader.damage().what));
    } catch (const std::bad_alloc&) {
        why = QStringLiteral("there is not enough memory to read it");
    }
    database.clear();
    if (reason)
        *reason = why;
    return false;
}
