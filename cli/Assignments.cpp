#include "cli/Assignments.h"

#include <set>

#include "cli/Document.h"
#include "cli/Refusal.h"
#include "cli/TextCodec.h"

namespace ostra::cli {

namespace {

// Where an argument sits among the assignments, for its refusal.
std::string placeOf(const std::string& key, std::size_t position)
{
    return (key.empty() ? std::string("\"\"") : terminalSafe(key)) + " (assignment " + std::to_string(position) + ")";
}

std::string unsettableReason(const ConfigField& field)
{
    return field.Key == "software_version" ? "the software version is stamped by every save"
                                           : "the hardware version is the device's and is never edited";
}

} // namespace

std::vector<Assignment> parseAssignments(const std::vector<std::string>& arguments, OverlongText overlong)
{
    std::vector<Assignment> assignments;
    std::vector<Refusal> refusals;
    std::set<const ConfigField*> seen;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::size_t equals = argument.find('=');
        const std::string key = argument.substr(0, equals);
        const std::string place = placeOf(key, i + 1);
        const ConfigField* field = FindConfigField(&ConfigField::Key, key);
        if (equals == std::string::npos) {
            refusals.push_back({place, "expected KEY=VALUE"});
        } else if (field == nullptr) {
            const std::optional<std::string> problem = groupNumberProblem(key, '.');
            refusals.push_back({place, problem ? *problem : "unknown key"});
        } else if (!field->Settable) {
            refusals.push_back({place, unsettableReason(*field)});
        } else if (!seen.insert(field).second) {
            refusals.push_back({place, "the key is given more than once"});
        } else {
            try {
                FieldValue value = ValueFromSet(*field, std::string_view(argument).substr(equals + 1), overlong);
                if (const std::optional<std::string> problem = blankMarkerProblem(*field, value))
                    refusals.push_back({place, *problem});
                else
                    assignments.push_back({field, std::move(value)});
            } catch (const ValueError& error) {
                refusals.push_back({place, error.what()});
            }
        }
    }
    if (!refusals.empty())
        throw InputRefused(std::move(refusals));
    return assignments;
}

TConfigRecord applyAssignments(const TConfigRecord& loaded, const std::vector<Assignment>& assignments)
{
    TConfigRecord record = loaded;
    if (IsBlankConfig(record))
        ZeroConfig(record);
    const std::vector<ConfigField>& catalogue = ConfigFields();
    std::vector<FieldValue> values;
    for (const ConfigField& field : catalogue)
        values.push_back(ReadFieldValue(record, field));
    for (const Assignment& assignment : assignments)
        values[static_cast<std::size_t>(assignment.Field - catalogue.data())] = assignment.Value;

    StampSoftwareVersion(record);
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        if (catalogue[i].Settable)
            WriteFieldValue(record, catalogue[i], values[i]);
    return record;
}

} // namespace ostra::cli
