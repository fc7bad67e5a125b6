#include "cli/Document.h"

#include <set>

#include "cli/RecordModel.h"
#include "cli/Refusal.h"

namespace ostra::cli {

namespace {

using namespace layout;

constexpr const char* kTopLevelKeys[] = {"format", "blank", "carried"};

// RFC 6901: "~" and "/" inside a key.
std::string escapedToken(const std::string& key)
{
    std::string token;
    for (char c : key) {
        if (c == '~')
            token += "~0";
        else if (c == '/')
            token += "~1";
        else
            token.push_back(c);
    }
    return token;
}

void setAt(Json& document, const std::string& pointer, Json value)
{
    Json* node = &document;
    std::size_t start = 1;
    while (true) {
        const std::size_t end = pointer.find('/', start);
        const std::string token = pointer.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos) {
            (*node)[token] = std::move(value);
            return;
        }
        if (!node->contains(token))
            (*node)[token] = Json::object();
        node = &(*node)[token];
        start = end + 1;
    }
}

// Reads a document into a model, collecting every refusal.
class DocumentReader {
public:
    explicit DocumentReader(OverlongText overlong) : overlong_(overlong) {}

    RecordModel read(const Json& document);
    std::vector<Refusal> Refusals;

private:
    void refuse(std::string place, std::string reason) { Refusals.push_back({std::move(place), std::move(reason)}); }
    void readHeader(const Json& document);
    void readFields(const Json& object, const std::string& prefix);
    void readField(const ConfigField& field, const Json& value);
    void readCarried(const Json& carried);
    void readRun(const Json& run, const std::string& place, std::set<int>& taken);
    void checkCarriedAgainstFields();
    void checkBlankMarker();

    OverlongText overlong_;
    RecordModel model_;
    std::map<int, std::string> carriedPlaces_;
};

RecordModel DocumentReader::read(const Json& document)
{
    if (!document.is_object()) {
        refuse("/", "expected a JSON object");
        return {};
    }
    readHeader(document);
    model_.Values.resize(ConfigFields().size());
    readFields(document, "");
    if (document.contains("carried"))
        readCarried(document["carried"]);
    if (Refusals.empty()) {
        checkCarriedAgainstFields();
        checkBlankMarker();
    }
    return model_;
}

void DocumentReader::readHeader(const Json& document)
{
    if (!document.contains("format") || document["format"] != kDocumentFormat)
        refuse("/format", std::string("expected \"") + kDocumentFormat + "\"");
    if (document.contains("blank")) {
        if (document["blank"].is_boolean())
            model_.Blank = document["blank"].get<bool>();
        else
            refuse("/blank", "expected true or false");
    }
}

void DocumentReader::readFields(const Json& object, const std::string& prefix)
{
    for (const auto& [key, value] : object.items()) {
        const std::string pointer = prefix + "/" + escapedToken(key);
        if (prefix.empty() && std::ranges::find(kTopLevelKeys, key) != std::end(kTopLevelKeys))
            continue;
        if (const ConfigField* field = FindConfigField(&ConfigField::Pointer, pointer)) {
            if (model_.Blank)
                refuse(pointer, "a blank file holds no settings");
            else
                readField(*field, value);
        } else if (isFieldGroup(pointer)) {
            if (value.is_object())
                readFields(value, pointer);
            else
                refuse(pointer, "expected an object");
        } else if (const std::optional<std::string> problem = groupNumberProblem(pointer, '/')) {
            refuse(pointer, *problem);
        } else {
            refuse(pointer, "unknown key");
        }
    }
}

void DocumentReader::readField(const ConfigField& field, const Json& value)
{
    const std::size_t index = static_cast<std::size_t>(&field - ConfigFields().data());
    try {
        model_.Values[index] = valueFromJson(field, value, overlong_);
    } catch (const ValueError& error) {
        refuse(field.Pointer + error.SubPlace, error.what());
    }
}

void DocumentReader::readCarried(const Json& carried)
{
    if (!carried.is_array()) {
        refuse("/carried", "expected a list of {\"offset\", \"hex\"} runs");
        return;
    }
    std::set<int> taken;
    for (std::size_t i = 0; i < carried.size(); ++i)
        readRun(carried[i], "/carried/" + std::to_string(i), taken);
}

void DocumentReader::readRun(const Json& run, const std::string& place, std::set<int>& taken)
{
    if (!run.is_object()) {
        refuse(place, "expected {\"offset\": N, \"hex\": \"...\"}");
        return;
    }
    for (const auto& [key, value] : run.items())
        if (key != "offset" && key != "hex")
            refuse(place + "/" + escapedToken(key), "unknown key");
    const Json offsetJson = run.value("offset", Json());
    if (!offsetJson.is_number_integer() || offsetJson.get<std::int64_t>() < 0
        || offsetJson.get<std::int64_t>() >= kRecordSize) {
        refuse(place + "/offset", "expected an offset from 0 to " + std::to_string(kRecordSize - 1));
        return;
    }
    const Json hexJson = run.value("hex", Json());
    const std::optional<std::vector<std::uint8_t>> bytes =
        hexJson.is_string() ? bytesOfHex(hexJson.get<std::string>()) : std::nullopt;
    if (!bytes) {
        refuse(place + "/hex", "expected an even number of hex digits");
        return;
    }
    const int offset = static_cast<int>(offsetJson.get<std::int64_t>());
    if (offset + static_cast<int>(bytes->size()) > kRecordSize) {
        refuse(place + "/hex", "the run goes past byte " + std::to_string(kRecordSize - 1));
        return;
    }
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        const int at = offset + static_cast<int>(i);
        if (!taken.insert(at).second) {
            refuse(place, "byte " + std::to_string(at) + " is also in an earlier run");
            return;
        }
        model_.Carried[at] = (*bytes)[i];
        carriedPlaces_[at] = place;
    }
}

// A carried byte may only give bits that no field decides.
void DocumentReader::checkCarriedAgainstFields()
{
    const FieldsOnly fields = rebuildFields(model_);
    const std::vector<ConfigField>& catalogue = ConfigFields();
    for (const auto& [offset, value] : model_.Carried) {
        const std::uint8_t owned = fields.Owned[offset];
        if (owned != 0xFF && (value & owned) == 0)
            continue;
        std::string owner = "the blank marker";
        for (std::size_t i = 0; i < catalogue.size() && !model_.Blank; ++i) {
            OwnedBits single{};
            if (model_.Values[i])
                markOwnedBits(catalogue[i], *model_.Values[i], single);
            if (single[offset] != 0)
                owner = catalogue[i].Pointer;
        }
        refuse(carriedPlaces_[offset], "byte " + std::to_string(offset) + " belongs to " + owner);
    }
}

void DocumentReader::checkBlankMarker()
{
    if (model_.Blank)
        return;
    const ConfigField& description = ConfigFields().front();
    if (model_.Values.front())
        if (const std::optional<std::string> problem = blankMarkerProblem(description, *model_.Values.front()))
            refuse(description.Pointer, *problem);
    const auto marker = model_.Carried.find(kBlankMarkerOffset);
    if (marker != model_.Carried.end() && marker->second == kBlankMarker)
        refuse(carriedPlaces_[kBlankMarkerOffset], "byte 0 set to 0xFF would make the file blank; "
                                                   "write \"blank\": true for a blank file");
}

} // namespace

std::optional<std::string> blankMarkerProblem(const ConfigField& field, const FieldValue& value)
{
    if (field.Offset != kBlankMarkerOffset || field.Kind != FieldKind::Text)
        return std::nullopt;
    const std::string& bytes = std::get<std::string>(value);
    if (bytes.empty() || static_cast<std::uint8_t>(bytes.front()) != kBlankMarker)
        return std::nullopt;
    return "a description starting with byte 0xFF (U+00A0) would make the file blank";
}

Json recordToDocument(const TConfigRecord& record)
{
    const RecordModel model = splitRecord(record);
    Json document = {{"format", kDocumentFormat}, {"blank", model.Blank}};
    const std::vector<ConfigField>& catalogue = ConfigFields();
    for (std::size_t i = 0; i < model.Values.size(); ++i)
        setAt(document, catalogue[i].Pointer, valueToJson(catalogue[i], *model.Values[i]));
    Json carried = Json::array();
    for (const ByteRun& run : runsOf(model.Carried))
        carried.push_back({{"offset", run.Offset}, {"hex", hexOf(run.Bytes)}});
    document["carried"] = std::move(carried);
    return document;
}

TConfigRecord documentToRecord(const Json& document, OverlongText overlong)
{
    DocumentReader reader(overlong);
    const RecordModel model = reader.read(document);
    if (!reader.Refusals.empty())
        throw InputRefused(std::move(reader.Refusals));
    return rebuildRecord(model);
}

} // namespace ostra::cli
