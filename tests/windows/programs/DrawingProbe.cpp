// vevadur-drawing-probe DOCUMENT SEED STEPS IMAGES: the Linux tests' random session of editor
// use, painted only where something changed, run on Windows with GDI+ offscreen. After every
// idle tick the painted image is compared with a full redraw. Prints "steps N ticks T
// mismatches M rest P" (P: paints over twenty ticks at rest afterwards), then the first
// mismatch's account, whose images go to IMAGES-painted.png and IMAGES-full.png. Exits 1 when
// the editor does not open.
#include "IncrementalSession.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 5)
    {
        std::fprintf(stderr, "usage: vevadur-drawing-probe DOCUMENT SEED STEPS IMAGES\n");
        return 2;
    }
    const int steps = std::atoi(argv[3]);
    const incremental::SessionReport report = incremental::runRandomSession(
        argv[1], static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)), steps, argv[4]);
    std::printf("steps %d ticks %d mismatches %d rest %d\n", report.steps, report.ticks,
                report.mismatches, report.paintsAtRest);
    std::printf("%s", report.firstMismatch.c_str());
    return report.steps == steps ? 0 : 1;
}
