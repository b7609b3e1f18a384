#pragma once
// The survey's FG-GML digital elevation models (DEM5A/5B/5C, DEM10A/10B): one XML document per
// mesh, read as a stream. The grid comes from gml:Envelope (corners, latitude first),
// gml:GridEnvelope (gml:low/gml:high), the gml:tupleList lines "type,height" in "+x-y" order
// (west to east, then north to south) and gml:startPoint (where the list starts; points before
// it have no data, as have points after the list's end). "-9999." is no data; a height of
// 100 km or more is no height, and its line is refused. The envelope must hold the grid's
// points exactly, one step apart.
#include "core/Result.h"
#include "terrain/SourceGrid.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct XML_ParserStruct;

namespace orv::terrain {

// The bounds of a document: elements nest at most this deep (the survey's nest eight deep)...
inline constexpr int kMaxGmlDepth = 64;
// ...and one piece of markup (a comment, a tag, an element's text outside the list) holds at
// most this many bytes.
inline constexpr size_t kMaxGmlMarkupBytes = size_t{4} << 20;

// Feed the document in pieces of any size, then ask for the grid; the answer does not depend on
// the pieces. The tupleList is taken apart straight from the bytes (it is nearly all of the
// document); everything around it goes through expat. Whatever follows the root element is not
// read. Time grows linearly with the document and memory is bounded whatever the markup.
class GmlDemParser {
public:
    // origin: the file or archive member, kept in the grid. wanted: asked with the DEM's box once
    // its envelope is read; a DEM it refuses is not read further (no grid, no problem).
    explicit GmlDemParser(std::string origin, std::function<bool(const GeoBox&)> wanted = {});
    ~GmlDemParser();
    GmlDemParser(const GmlDemParser&) = delete;
    GmlDemParser& operator=(const GmlDemParser&) = delete;

    // False once reading has stopped: a problem, or a DEM that is not wanted.
    bool feed(std::string_view bytes);

    // After the last piece: the grid; nothing when it was not wanted; or the problem (its line
    // is the document's line).
    Result<std::optional<SourceGrid>> finish();

    // The DEM's box once the envelope was read: the area a broken document would have covered.
    const std::optional<GeoBox>& box() const { return box_; }

private:
    enum class Stop { No, Skipped, Failed };
    struct ParserFree {
        void operator()(XML_ParserStruct* parser) const;
    };

    static void onStart(void* self, const char* name, const char** attributes);
    static void onEnd(void* self, const char* name);
    static void onText(void* self, const char* text, int length);
    static void onDoctype(void* self, const char* name, const char* system, const char* pub, int internal);

    void take(std::string_view bytes);
    void giveXml(std::string_view bytes, bool mayParse, bool now = false);
    void parseXml(std::string_view bytes);
    void startElement(std::string_view name, const char** attributes);
    void endElement(std::string_view name);
    void endSmallElement();
    void startTuples();
    // Takes the list's lines: from the bytes (raw: stops before markup, '<' or '&', which expat reads;
    // returns the bytes used) or from expat's text.
    size_t takeTuples(std::string_view bytes, bool raw);
    bool tupleLineFits(size_t length);
    void tupleLine(std::string_view line);
    void fail(ProblemKind kind, int line, std::string detail);
    int xmlLine() const;

    std::string origin_;
    std::function<bool(const GeoBox&)> wanted_;
    std::unique_ptr<XML_ParserStruct, ParserFree> xml_;
    Stop stop_ = Stop::No;
    std::optional<Problem> problem_;
    std::optional<GeoBox> box_;

    // What expat was given.
    std::string pending_;      // markup held back from expat (see giveXml)
    uint64_t given_ = 0;       // bytes handed to expat
    uint64_t unparsed_ = 0;    // of those, the ones expat holds unfinished
    std::string heldTag_;      // the end of a piece that may begin the list's start tag

    // Document state.
    bool rootSeen_ = false;
    bool rootDone_ = false;  // the root element has ended: nothing after it is read
    int depth_ = 0;          // elements open
    std::string element_;  // local name of the small element whose text is being collected
    std::string text_;
    std::optional<std::pair<double, double>> lower_, upper_;  // latitude, longitude
    std::optional<std::pair<long long, long long>> low_, high_;
    std::pair<long long, long long> startPoint_{0, 0};
    bool tuplesSeen_ = false;
    bool tuplesDone_ = false;
    SourceGrid grid_;
    size_t values_ = 0;  // heights taken, in list order from the grid's start (moved to startPoint at the end)

    // The tupleList taken from the bytes.
    bool lookForTag_ = true;   // the list's start tag has not been met in the bytes yet
    bool atTupleTag_ = false;  // expat is given the start tag found in the bytes
    bool inTuples_ = false;    // taking tuple lines from the bytes
    std::string partialLine_;  // a tuple line cut by the end of a piece or by markup
    int tupleStartLine_ = 0;
    int tupleLines_ = 0;       // line ends seen inside the list
    int rawLines_ = 0;         // of those, the ones expat never saw
};

// Reads one FG-GML DEM file, streaming, with the same `wanted` rule as the parser.
Result<std::optional<SourceGrid>> readGmlDemFile(const std::string& path,
                                                 const std::function<bool(const GeoBox&)>& wanted,
                                                 std::optional<GeoBox>* box = nullptr);

// The survey grade in an FG-GML file name ("FG-GML-5238-74-00-DEM5A-20161001.xml" → 'A'), 'Z'
// when the name does not say.
char gradeFromName(std::string_view name);

}  // namespace orv::terrain
