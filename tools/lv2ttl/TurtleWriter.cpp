#include "TurtleWriter.h"

#include "Lv2Uris.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

namespace vevadur::lv2ttl
{

using Steinberg::Vst::Lv2ControlPort;
using Steinberg::Vst::Lv2PortList;
namespace Lv2Uris = Steinberg::Vst::Lv2Uris;

namespace
{
const char* kPrefixes = "@prefix atom:  <http://lv2plug.in/ns/ext/atom#> .\n"
                        "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
                        "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
                        "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
                        "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
                        "@prefix opts:  <http://lv2plug.in/ns/ext/options#> .\n"
                        "@prefix pprop: <http://lv2plug.in/ns/ext/port-props#> .\n"
                        "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
                        "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                        "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
                        "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                        "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n\n";

std::string iri(const std::string& text)
{
    return "<" + text + ">";
}

// The LV2 unit for a parameter's units text; empty when LV2 names none.
std::string unitOf(const std::string& units)
{
    static const std::map<std::string, std::string> kUnits = {
        {"Hz", "units:hz"},   {"kHz", "units:khz"},
        {"dB", "units:db"},   {"ms", "units:ms"},
        {"s", "units:s"},     {"%", "units:pc"},
        {"ct", "units:cent"}, {"st", "units:semitone12TET"}};
    const auto it = kUnits.find(units);
    return it == kUnits.end() ? std::string() : it->second;
}

void writeAudioPort(std::ostream& out, uint32_t index, bool input, const char* symbol,
                    const char* name)
{
    out << "    [\n        a lv2:AudioPort , " << (input ? "lv2:InputPort" : "lv2:OutputPort")
        << " ;\n        lv2:index " << index << " ;\n        lv2:symbol " << turtleString(symbol)
        << " ;\n        lv2:name " << turtleString(name) << "\n    ]";
}

void writeControlPort(std::ostream& out, uint32_t index, const Lv2ControlPort& port)
{
    out << "    [\n        a lv2:ControlPort , lv2:InputPort ;\n        lv2:index " << index
        << " ;\n        lv2:symbol " << turtleString(port.symbol) << " ;\n        lv2:name "
        << turtleString(port.name) << " ;\n        lv2:default " << turtleNumber(port.defaultValue)
        << " ;\n        lv2:minimum " << turtleNumber(port.minimum) << " ;\n        lv2:maximum "
        << turtleNumber(port.maximum);
    std::string properties;
    auto add = [&properties](const char* p)
    { properties += (properties.empty() ? "" : " , ") + std::string(p); };
    if (port.toggled) add("lv2:toggled");
    if (port.integer && !port.toggled) add("lv2:integer");
    if (port.enumeration) add("lv2:enumeration");
    if (port.logarithmic) add("pprop:logarithmic");
    if (!properties.empty()) out << " ;\n        lv2:portProperty " << properties;
    const std::string unit = unitOf(port.units);
    if (!unit.empty()) out << " ;\n        units:unit " << unit;
    for (size_t k = 0; k < port.scalePoints.size(); ++k)
        out << (k == 0 ? " ;\n        lv2:scalePoint [\n" : " , [\n") << "            rdfs:label "
            << turtleString(port.scalePoints[k].second) << " ;\n            rdf:value "
            << turtleNumber(port.scalePoints[k].first) << "\n        ]";
    out << "\n    ]";
}
} // namespace

std::string turtleNumber(double value)
{
    if (!std::isfinite(value)) value = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", value);
    std::string number = text;
    if (number.find_first_of(".e") == std::string::npos) number += ".0";
    return number;
}

std::string turtleString(const std::string& text)
{
    std::string out = "\"";
    for (char c : text)
    {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

std::string manifestTurtle()
{
    std::ostringstream out;
    out << "@prefix lv2:  <http://lv2plug.in/ns/lv2core#> .\n"
        << "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
        << "@prefix ui:   <http://lv2plug.in/ns/extensions/ui#> .\n\n"
        << iri(Lv2Uris::kPlugin) << "\n    a lv2:Plugin ;\n    lv2:binary " << iri(Lv2Uris::kBinary)
        << " ;\n    rdfs:seeAlso <VevadurROT.ttl> .\n\n"
        << iri(Lv2Uris::kUi) << "\n    a ui:X11UI ;\n    lv2:binary " << iri(Lv2Uris::kBinary)
        << " ;\n    rdfs:seeAlso <VevadurROT.ttl> .\n";
    return out.str();
}

std::string pluginTurtle(const Lv2PortList& ports, const PluginFacts& facts)
{
    std::ostringstream out;
    out << kPrefixes << "@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n\n";
    out << iri(Lv2Uris::kPlugin) << "\n    a lv2:Plugin , lv2:ReverbPlugin ;\n"
        << "    doap:name " << turtleString(facts.name) << " ;\n"
        << "    doap:maintainer [\n        foaf:name " << turtleString(facts.vendor)
        << " ;\n        foaf:homepage " << iri(facts.homepage) << "\n    ] ;\n"
        << "    lv2:minorVersion " << facts.minorVersion << " ;\n"
        << "    lv2:microVersion " << facts.microVersion << " ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable , urid:map , opts:options ;\n"
        << "    opts:supportedOption bufsz:maxBlockLength ;\n"
        << "    lv2:extensionData state:interface ;\n"
        << "    ui:ui " << iri(Lv2Uris::kUi) << " ;\n"
        << "    lv2:port\n";
    writeAudioPort(out, Lv2PortList::kAudioInLeft, true, "in_l", "In L");
    out << " , \n";
    writeAudioPort(out, Lv2PortList::kAudioInRight, true, "in_r", "In R");
    out << " , \n";
    writeAudioPort(out, Lv2PortList::kAudioOutLeft, false, "out_l", "Out L");
    out << " , \n";
    writeAudioPort(out, Lv2PortList::kAudioOutRight, false, "out_r", "Out R");
    for (int32_t i = 0; i < ports.controlCount(); ++i)
    {
        out << " , \n";
        writeControlPort(out, Lv2PortList::controlPort(i), ports.control(i));
    }
    if (ports.hasBypass())
        out << " , \n    [\n        a lv2:ControlPort , lv2:InputPort ;\n        lv2:index "
            << ports.enabledPort()
            << " ;\n        lv2:symbol \"enabled\" ;\n        lv2:name \"Enabled\" ;\n"
            << "        lv2:designation lv2:enabled ;\n        lv2:default 1 ;\n"
            << "        lv2:minimum 0 ;\n        lv2:maximum 1 ;\n"
            << "        lv2:portProperty lv2:toggled\n    ]";
    out << " , \n    [\n        a lv2:ControlPort , lv2:OutputPort ;\n        lv2:index "
        << ports.latencyPort()
        << " ;\n        lv2:symbol \"latency\" ;\n        lv2:name \"Latency\" ;\n"
        << "        lv2:designation lv2:latency ;\n        lv2:minimum 0 ;\n"
        << "        lv2:maximum 192000 ;\n"
        << "        lv2:portProperty lv2:reportsLatency , lv2:integer ;\n"
        << "        units:unit units:frame\n    ] .\n\n";

    out << iri(Lv2Uris::kUi) << "\n    a ui:X11UI ;\n"
        << "    lv2:requiredFeature ui:parent , ui:idleInterface ;\n"
        << "    lv2:optionalFeature ui:resize , ui:touch ;\n"
        << "    lv2:extensionData ui:idleInterface .\n";
    return out.str();
}

} // namespace vevadur::lv2ttl
