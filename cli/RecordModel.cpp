#include "cli/RecordModel.h"

namespace ostra::cli {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A text without the spaces that pad it: rebuilding pads it again, so the
// bytes are the same, and a document shows "Hall" rather than "Hall" and
// 28 spaces.
FieldValue withoutPadding(const ConfigField& field, FieldValue value)
{
    if (field.Kind != FieldKind::Text && field.Kind != FieldKind::InstallerLine)
        return value;
    std::string& text = std::get<std::string>(value);
    text.erase(text.find_last_not_of(static_cast<char>(layout::kTextPadding)) + 1);
    return value;
}

} // namespace

FieldsOnly rebuildFields(const RecordModel& model)
{
    FieldsOnly fields;
    if (model.Blank) {
        BlankConfig(fields.Record);
        fields.Owned[layout::kBlankMarkerOffset] = 0xFF;
        return fields;
    }
    const std::vector<ConfigField>& catalogue = ConfigFields();
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        if (i >= model.Values.size() || !model.Values[i])
            continue;
        WriteFieldValue(fields.Record, catalogue[i], *model.Values[i]);
        markOwnedBits(catalogue[i], *model.Values[i], fields.Owned);
    }
    return fields;
}

RecordModel splitRecord(const TConfigRecord& record)
{
    RecordModel model;
    model.Blank = IsBlankConfig(record);
    if (!model.Blank)
        for (const ConfigField& field : ConfigFields())
            model.Values.emplace_back(withoutPadding(field, ReadFieldValue(record, field)));
    const FieldsOnly fields = rebuildFields(model);
    for (int offset = 0; offset < layout::kRecordSize; ++offset)
        if (record[offset] != fields.Record[offset])
            model.Carried[offset] = static_cast<std::uint8_t>(record[offset] & ~fields.Owned[offset]);
    return model;
}

TConfigRecord rebuildRecord(const RecordModel& model)
{
    FieldsOnly fields = rebuildFields(model);
    for (const auto& [offset, value] : model.Carried) {
        const std::uint8_t owned = fields.Owned[offset];
        fields.Record[offset] = static_cast<std::uint8_t>((fields.Record[offset] & owned) | (value & ~owned));
    }
    return fields.Record;
}

std::vector<ByteRun> runsOf(const std::map<int, std::uint8_t>& bytes)
{
    std::vector<ByteRun> runs;
    for (const auto& [offset, value] : bytes) {
        if (runs.empty() || runs.back().Offset + static_cast<int>(runs.back().Bytes.size()) != offset)
            runs.push_back({offset, {}});
        runs.back().Bytes.push_back(value);
    }
    return runs;
}

std::string hexOf(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t byte : bytes) {
        hex.push_back(kDigits[byte >> 4]);
        hex.push_back(kDigits[byte & 0x0F]);
    }
    return hex;
}

std::optional<std::vector<std::uint8_t>> bytesOfHex(const std::string& hex)
{
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

} // namespace ostra::cli
