// Parsing a ~10 MB scene file into a tree and freeing it: XMLNode against pugixml on the
// same bytes, each in two allocator modes (see main).

#include "RatioReport.h"
#include "config/XMLNode.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <malloc.h>

#include <cstdint>
#include <limits>
#include <string>

namespace
{

// A scene as XMLConfigurationManager reads it: a root component with textures and many
// components, each with a few strategies, and a comment now and then.
std::string makeScene(std::size_t targetBytes)
{
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<RootComponent posX=\"0\" posY=\"0\" width=\"1920\" height=\"1080\">\n"
                      "  <Textures number=\"12\" source=\"textures/tile\"/>\n"
                      "  <Texture source=\"textures/background.png\"/>\n"
                      "  <Strategy name=\"Image\" texture-id=\"1\"/>\n";
    for (int i = 0; xml.size() < targetBytes; ++i)
    {
        if (i % 50 == 0)
            xml += "  <!-- group " + std::to_string(i / 50) + " -->\n";
        xml += "  <Component posX=\"" + std::to_string(next(1920)) + ".5\" posY=\"" + std::to_string(next(1080)) +
               "\" posZ=\"0." + std::to_string(next(100)) + "\" width=\"" + std::to_string(50 + next(300)) +
               "\" height=\"" + std::to_string(50 + next(300)) + "\" angle=\"" + std::to_string(next(360)) +
               "\" leaf=\"true\">\n"
               "    <Strategy name=\"RNTStrategy\"/>\n"
               "    <Strategy name=\"Border\" color-r=\"0.5\" color-g=\"0.25\" color-b=\"1\" color-a=\"0.8\"/>\n"
               "    <Strategy name=\"Image\" texture-id=\"?\" keepAspect=\"true\"/>\n"
               "  </Component>\n";
    }
    xml += "</RootComponent>\n";
    return xml;
}

const std::string& scene()
{
    static const std::string xml = makeScene(10u << 20);
    return xml;
}

void BM_XMLNodeParse(benchmark::State& state)
{
    const std::string& xml = scene();
    for (auto _ : state)
    {
        XMLResults results;
        XMLNode root = XMLNode::parseBuffer(xml.data(), xml.size(), L"RootComponent", &results);
        if (results.error != eXMLErrorNone || root.getChildNode(L"Component").isEmpty())
            state.SkipWithError("XMLNode failed to parse the scene");
        benchmark::DoNotOptimize(root);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}

void BM_PugixmlParse(benchmark::State& state)
{
    const std::string& xml = scene();
    for (auto _ : state)
    {
        pugi::xml_document document;
        const pugi::xml_parse_result result = document.load_buffer(xml.data(), xml.size());
        if (!result || !document.child("RootComponent").child("Component"))
            state.SkipWithError("pugixml failed to parse the scene");
        benchmark::DoNotOptimize(document);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}

} // namespace

// Each parser runs twice: first with the allocator's defaults, where large blocks come as
// fresh pages from the system and page faults weigh in; then with freed memory kept by the
// allocator and reused (as GLIBC_TUNABLES=glibc.malloc.trim_threshold=...:mmap_threshold=...
// would), so that only each parser's own work counts.
BENCHMARK(BM_XMLNodeParse)->Name("XMLNode/FreshPages")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlParse)->Name("Pugixml/FreshPages")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XMLNodeParse)->Name("XMLNode/KeptHeap")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlParse)->Name("Pugixml/KeptHeap")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    scene(); // made before anything is measured
    dravik::bench::RatioCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector, "FreshPages");
    // The largest thresholds the allocator takes: nothing is mapped or given back per block.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    benchmark::RunSpecifiedBenchmarks(&collector, "KeptHeap");
    dravik::bench::printRatios(collector, {{"XMLNode/FreshPages", "Pugixml/FreshPages"},
                                           {"XMLNode/KeptHeap", "Pugixml/KeptHeap"}});
    benchmark::Shutdown();
    return 0;
}
