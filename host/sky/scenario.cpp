#include "sky/scenario.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace panelhost {
namespace {

// A problem on the line being read.
struct LineError {
    std::string message;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whitespace-separated words; a word in double quotes may hold blanks. A
// '#' outside quotes starts a comment.
bool SplitWords(std::string_view line, std::vector<std::string>* words, LineError* error) {
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        if (c == '#') break;
        std::string word;
        if (c == '"') {
            std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) {
                error->message = "a quote is not closed";
                return false;
            }
            word = std::string(line.substr(i + 1, close - i - 1));
            i = close + 1;
            if (i < line.size() && !IsBlank(line[i]) && line[i] != '#') {
                error->message = "a quoted word runs on after its closing quote";
                return false;
            }
        } else {
            while (i < line.size() && !IsBlank(line[i]) && line[i] != '"') word.push_back(line[i++]);
            if (i < line.size() && line[i] == '"') {
                error->message = "a quote starts inside a word";
                return false;
            }
        }
        for (char w : word) {
            if (static_cast<unsigned char>(w) < 0x20 || w == 0x7f) {
                error->message = "control characters are not allowed";
                return false;
            }
        }
        words->push_back(std::move(word));
    }
    return true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string FormatLimit(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool ParseNumber(const std::string& word, const char* what, double min, double max, double* out, LineError* error) {
    errno = 0;
    char* end = nullptr;
    double value = word.empty() ? 0.0 : std::strtod(word.c_str(), &end);
    if (word.empty() || errno != 0 || *end != '\0' || !std::isfinite(value)) {
        error->message = std::string(what) + " " + Quoted(word) + " is not a number";
        return false;
    }
    if (value < min || value > max) {
        error->message = std::string(what) + " " + word + " is outside " + FormatLimit(min) + " .. " + FormatLimit(max);
        return false;
    }
    *out = value;
    return true;
}

bool ParseSwitch(const std::string& keyword, const std::string& word, bool* out, LineError* error) {
    if (word == "on" || word == "yes") {
        *out = true;
        return true;
    }
    if (word == "off" || word == "no") {
        *out = false;
        return true;
    }
    error->message = keyword + " takes on or off, not " + Quoted(word);
    return false;
}

bool ParseIdentifier(const std::string& word, const char* what, std::size_t max_length, std::string* out,
                     LineError* error) {
    if (word.size() > max_length) {
        error->message = std::string(what) + " is longer than " + std::to_string(max_length) + " characters";
        return false;
    }
    *out = word;
    return true;
}

// The fields of a flight, in the order of the line, after its keyword.
enum class Field {
    kIdentifier,
    kPlayerName,
    kLatitude,
    kLongitude,
    kAltitude,
    kHeight,
    kHeading,
    kSpeed,
    kVerticalSpeed,
};

struct FieldColumn {
    Field field;
    const char* name;
};

constexpr FieldColumn kOwnFields[] = {{Field::kLatitude, "LATITUDE"},   {Field::kLongitude, "LONGITUDE"},
                                    {Field::kAltitude, "ALTITUDE_FT"}, {Field::kHeading, "HEADING_DEG"},
                                    {Field::kSpeed, "SPEED_KT"},       {Field::kIdentifier, "[IDENTIFIER]"}};
constexpr FieldColumn kTrafficFields[] = {
    {Field::kIdentifier, "IDENTIFIER"}, {Field::kLatitude, "LATITUDE"}, {Field::kLongitude, "LONGITUDE"},
    {Field::kAltitude, "ALTITUDE_FT"},  {Field::kHeight, "HEIGHT_FT"},  {Field::kHeading, "HEADING_DEG"},
    {Field::kSpeed, "SPEED_KT"},        {Field::kVerticalSpeed, "VS_FPM"}};
constexpr FieldColumn kPlayerFields[] = {
    {Field::kPlayerName, "NAME"},      {Field::kLatitude, "LATITUDE"},    {Field::kLongitude, "LONGITUDE"},
    {Field::kAltitude, "ALTITUDE_FT"}, {Field::kHeading, "HEADING_DEG"}, {Field::kSpeed, "SPEED_KT"},
    {Field::kVerticalSpeed, "VS_FPM"}};

bool ParseField(const FieldColumn& column, const std::string& word, Flight* flight, LineError* error) {
    switch (column.field) {
        case Field::kIdentifier:
            return ParseIdentifier(word, "the identifier", kMaxIdentifierLength, &flight->identifier, error);
        case Field::kPlayerName:
            return ParseIdentifier(word, "the player name", kMaxPlayerNameLength, &flight->identifier, error);
        case Field::kLatitude:
            return ParseNumber(word, "latitude", -kMaxScenarioLatitudeDeg, kMaxScenarioLatitudeDeg,
                               &flight->latitude_deg, error);
        case Field::kLongitude:
            return ParseNumber(word, "longitude", -kMaxScenarioLongitudeDeg, kMaxScenarioLongitudeDeg,
                               &flight->longitude_deg, error);
        case Field::kAltitude:
            return ParseNumber(word, "altitude", kMinScenarioAltitudeFt, kMaxScenarioAltitudeFt, &flight->altitude_ft,
                               error);
        case Field::kHeight:
            return ParseNumber(word, "height above ground", 0.0, kMaxScenarioAltitudeFt,
                               &flight->height_above_ground_ft, error);
        case Field::kHeading:
            return ParseNumber(word, "heading", 0.0, 360.0, &flight->heading_deg, error);
        case Field::kSpeed:
            return ParseNumber(word, "speed", 0.0, kMaxScenarioSpeedKt, &flight->ground_speed_kt, error);
        case Field::kVerticalSpeed:
            return ParseNumber(word, "vertical speed", -kMaxScenarioVerticalSpeedFpm, kMaxScenarioVerticalSpeedFpm,
                               &flight->vertical_speed_fpm, error);
    }
    return false;
}

std::string FieldList(const FieldColumn* columns, std::size_t count) {
    std::string list;
    for (std::size_t i = 0; i < count; ++i) list += (i ? " " : "") + std::string(columns[i].name);
    return list;
}

template <std::size_t N>
bool ParseFlight(const std::vector<std::string>& words, const FieldColumn (&columns)[N], std::size_t required,
                 Flight* flight, LineError* error) {
    const std::size_t values = words.size() - 1;
    if (values < required || values > N) {
        error->message = words[0] + " takes " + FieldList(columns, N) + "; found " + std::to_string(values) +
                         (values == 1 ? " value" : " values");
        return false;
    }
    for (std::size_t i = 0; i < values; ++i) {
        if (!ParseField(columns[i], words[i + 1], flight, error)) return false;
    }
    return true;
}

// One more aircraft of a kind, every field given.
template <std::size_t N>
bool AppendFlight(const std::vector<std::string>& words, const FieldColumn (&columns)[N], std::size_t limit,
                  const char* kind, std::vector<Flight>* flights, LineError* error) {
    if (flights->size() >= limit) {
        error->message = "more than " + std::to_string(limit) + " " + kind;
        return false;
    }
    Flight flight;
    if (!ParseFlight(words, columns, N, &flight, error)) return false;
    flights->push_back(flight);
    return true;
}

// A flight's field as the parser reads it back: numbers to the last bit,
// names in double quotes.
std::string FieldText(const Flight& flight, Field field) {
    double value = 0.0;
    switch (field) {
        case Field::kIdentifier:
        case Field::kPlayerName: return Quoted(flight.identifier);
        case Field::kLatitude: value = flight.latitude_deg; break;
        case Field::kLongitude: value = flight.longitude_deg; break;
        case Field::kAltitude: value = flight.altitude_ft; break;
        case Field::kHeight: value = flight.height_above_ground_ft; break;
        case Field::kHeading: value = flight.heading_deg; break;
        case Field::kSpeed: value = flight.ground_speed_kt; break;
        case Field::kVerticalSpeed: value = flight.vertical_speed_fpm; break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

template <std::size_t N>
std::string FlightLine(const char* keyword, const Flight& flight, const FieldColumn (&columns)[N]) {
    std::string line = keyword;
    for (const FieldColumn& column : columns) line += " " + FieldText(flight, column.field);
    return line + "\n";
}

// Which settings a scenario has made, so that none is made twice.
struct SettingsSeen {
    bool own = false;
    bool reduced_data = false;
    bool own_listed = false;
    bool traffic_name = false;
    bool player_status = false;
};

bool TakeOnce(bool* seen, const std::string& keyword, LineError* error) {
    if (*seen) {
        error->message = keyword + " is given twice";
        return false;
    }
    *seen = true;
    return true;
}

bool ExpectOneValue(const std::vector<std::string>& words, const char* what, LineError* error) {
    if (words.size() == 2) return true;
    error->message = words[0] + " takes one value, " + what + "; found " + std::to_string(words.size() - 1);
    return false;
}

bool ParseSwitchSetting(const std::vector<std::string>& words, bool* seen, bool* value, LineError* error) {
    return TakeOnce(seen, words[0], error) && ExpectOneValue(words, "on or off", error) &&
           ParseSwitch(words[0], words[1], value, error);
}

bool ParseLine(const std::vector<std::string>& words, Scenario* scenario, SettingsSeen* seen, LineError* error) {
    const std::string& keyword = words[0];
    if (keyword == "own") {
        if (!TakeOnce(&seen->own, keyword, error)) return false;
        Flight own = DefaultOwnFlight();
        if (!ParseFlight(words, kOwnFields, 5, &own, error)) return false;
        own.height_above_ground_ft = std::fmax(own.altitude_ft, 0.0);
        own.vertical_speed_fpm = 0.0;
        scenario->own = own;
        return true;
    }
    if (keyword == "traffic") {
        return AppendFlight(words, kTrafficFields, kMaxScenarioTraffic, "traffic aircraft", &scenario->traffic, error);
    }
    if (keyword == "player") {
        if (!AppendFlight(words, kPlayerFields, kMaxScenarioPlayers, "network players", &scenario->players, error)) {
            return false;
        }
        // The player table has no height: the ground is at sea level.
        Flight& player = scenario->players.back();
        player.height_above_ground_ft = std::fmax(player.altitude_ft, 0.0);
        return true;
    }
    if (keyword == "reduced-data") {
        return ParseSwitchSetting(words, &seen->reduced_data, &scenario->reduced_data, error);
    }
    if (keyword == "own-listed") {
        return ParseSwitchSetting(words, &seen->own_listed, &scenario->own_listed, error);
    }
    if (keyword == "traffic-name") {
        std::string name;
        if (!TakeOnce(&seen->traffic_name, keyword, error) || !ExpectOneValue(words, "a NAME", error) ||
            !ParseIdentifier(words[1], "the traffic name", kMaxIdentifierLength, &name, error)) {
            return false;
        }
        scenario->traffic_name = name;
        return true;
    }
    if (keyword == "player-status") {
        double status = 0.0;
        if (!TakeOnce(&seen->player_status, keyword, error) || !ExpectOneValue(words, "a whole number", error) ||
            !ParseNumber(words[1], "player-status", -2147483648.0, 2147483647.0, &status, error)) {
            return false;
        }
        if (status != std::trunc(status)) {
            error->message = "player-status " + words[1] + " is not a whole number";
            return false;
        }
        scenario->player_status = static_cast<std::int32_t>(status);
        return true;
    }
    error->message = "unknown keyword " + Quoted(keyword) +
                     " (own, traffic, player, reduced-data, own-listed, traffic-name, player-status)";
    return false;
}

}  // namespace

Flight DefaultOwnFlight() {
    Flight own;
    own.identifier = "HB-OWN";
    own.latitude_deg = 47.4647;
    own.longitude_deg = 8.5492;
    own.altitude_ft = 10000.0;
    own.height_above_ground_ft = 10000.0;
    return own;
}

ScenarioParseResult ParseScenario(std::string_view text) {
    ScenarioParseResult result;
    result.scenario.own = DefaultOwnFlight();
    SettingsSeen seen;
    std::size_t line_number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        std::vector<std::string> words;
        LineError error;
        if (SplitWords(line, &words, &error) && (words.empty() || ParseLine(words, &result.scenario, &seen, &error))) {
            continue;
        }
        result.error = "line " + std::to_string(line_number) + ": " + error.message;
        return result;
    }
    result.ok = true;
    return result;
}

ScenarioParseResult LoadScenarioFile(const std::string& path) {
    ScenarioParseResult result;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        result.error = path + ": cannot be read";
        return result;
    }
    std::string text;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (text.size() > kMaxScenarioFileBytes) {
            result.error = path + ": larger than " + std::to_string(kMaxScenarioFileBytes) + " bytes";
            return result;
        }
    }
    if (file.bad()) {
        result.error = path + ": cannot be read";
        return result;
    }
    result = ParseScenario(text);
    if (!result.ok) result.error = path + ":" + result.error.substr(std::string("line ").size());
    return result;
}

ScenarioParseResult LoadScenarioOrDefault(const std::string& path) {
    return path.empty() ? ParseScenario(DefaultScenarioText()) : LoadScenarioFile(path);
}

std::string ScenarioText(const Scenario& scenario) {
    std::string text = FlightLine("own", scenario.own, kOwnFields);
    for (const Flight& flight : scenario.traffic) text += FlightLine("traffic", flight, kTrafficFields);
    for (const Flight& flight : scenario.players) text += FlightLine("player", flight, kPlayerFields);
    text += std::string("reduced-data ") + (scenario.reduced_data ? "on" : "off") + "\n";
    text += std::string("own-listed ") + (scenario.own_listed ? "on" : "off") + "\n";
    if (scenario.traffic_name) text += "traffic-name " + Quoted(*scenario.traffic_name) + "\n";
    return text + "player-status " + std::to_string(scenario.player_status) + "\n";
}

Scenario DefaultScenario() {
    // The embedded text is checked by the tests; a failure here cannot happen
    // at run time, and would leave the own aircraft alone in the sky.
    ScenarioParseResult parsed = ParseScenario(DefaultScenarioText());
    if (parsed.ok) return parsed.scenario;
    Scenario alone;
    alone.own = DefaultOwnFlight();
    return alone;
}

}  // namespace panelhost
