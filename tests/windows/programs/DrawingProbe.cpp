// vevadur-drawing-probe DOCUMENT SEED STEPS IMAGES [SCALE]: the Linux tests' random session of
// editor use, painted only where something changed, run on Windows with GDI+ offscreen, at the
// screen scale SCALE (1 unless given). After every idle tick the painted image is compared with
// a full redraw. Prints "steps N ticks T mismatches M rest P scale S" (P: paints over twenty
// ticks at rest afterwards, S: the scale the frame was drawn at), then the first mismatch's
// account, whose images go to IMAGES-painted.png and IMAGES-full.png. Exits 1 when the editor
// does not open.
#include "IncrementalSession.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6)
    {
        std::fprintf(stderr, "usage: vevadur-drawing-probe DOCUMENT SEED STEPS IMAGES [SCALE]\n");
        return 2;
    }
    const int steps = std::atoi(argv[3]);
    const double scale = argc == 6 ? std::atof(argv[5]) : 1.0;
    const incremental::SessionReport report = incremental::runRandomSession(
        argv[1], static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)), steps, argv[4], scale);
    std::printf("steps %d ticks %d mismatches %d rest %d scale %g\n", report.steps, report.ticks,
                report.mismatches, report.paintsAtRest, report.scale);
    std::printf("%s", report.firstMismatch.c_str());
    return report.steps == steps ? 0 : 1;
}
