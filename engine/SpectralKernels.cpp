#include "engine/SpectralKernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VEVADUR_HAVE_AVX2_KERNEL 1
#endif

namespace
{
void portableKernel(SplitSpan accL, SplitSpan accR, ConstSplitSpan xL, ConstSplitSpan xR,
                    ConstSplitSpan h, int32_t count)
{
    double* __restrict lRe = accL.re;
    double* __restrict lIm = accL.im;
    double* __restrict rRe = accR.re;
    double* __restrict rIm = accR.im;
    for (int32_t k = 0; k < count; ++k)
    {
        const double hr = h.re[k], hi = h.im[k];
        lRe[k] += xL.re[k] * hr - xL.im[k] * hi;
        lIm[k] += xL.re[k] * hi + xL.im[k] * hr;
        rRe[k] += xR.re[k] * hr - xR.im[k] * hi;
        rIm[k] += xR.re[k] * hi + xR.im[k] * hr;
    }
}

#ifdef VEVADUR_HAVE_AVX2_KERNEL
__attribute__((target("avx2,fma"))) void avx2Kernel(SplitSpan accL, SplitSpan accR,
                                                    ConstSplitSpan xL, ConstSplitSpan xR,
                                                    ConstSplitSpan h, int32_t count)
{
    int32_t k = 0;
    for (; k + 4 <= count; k += 4)
    {
        const __m256d hr = _mm256_loadu_pd(h.re + k);
        const __m256d hi = _mm256_loadu_pd(h.im + k);
        const __m256d lr = _mm256_loadu_pd(xL.re + k);
        const __m256d li = _mm256_loadu_pd(xL.im + k);
        const __m256d rr = _mm256_loadu_pd(xR.re + k);
        const __m256d ri = _mm256_loadu_pd(xR.im + k);
        __m256d aLr = _mm256_loadu_pd(accL.re + k);
        __m256d aLi = _mm256_loadu_pd(accL.im + k);
        __m256d aRr = _mm256_loadu_pd(accR.re + k);
        __m256d aRi = _mm256_loadu_pd(accR.im + k);
        aLr = _mm256_fnmadd_pd(li, hi, _mm256_fmadd_pd(lr, hr, aLr));
        aLi = _mm256_fmadd_pd(li, hr, _mm256_fmadd_pd(lr, hi, aLi));
        aRr = _mm256_fnmadd_pd(ri, hi, _mm256_fmadd_pd(rr, hr, aRr));
        aRi = _mm256_fmadd_pd(ri, hr, _mm256_fmadd_pd(rr, hi, aRi));
        _mm256_storeu_pd(accL.re + k, aLr);
        _mm256_storeu_pd(accL.im + k, aLi);
        _mm256_storeu_pd(accR.re + k, aRr);
        _mm256_storeu_pd(accR.im + k, aRi);
    }
    if (k < count)
    {
        const auto offset = [k](ConstSplitSpan s) { return ConstSplitSpan{s.re + k, s.im + k}; };
        portableKernel({accL.re + k, accL.im + k}, {accR.re + k, accR.im + k}, offset(xL),
                       offset(xR), offset(h), count - k);
    }
}
#endif

} // namespace

EarsKernel earsKernel()
{
#ifdef VEVADUR_HAVE_AVX2_KERNEL
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return avx2Kernel;
#endif
    return portableKernel;
}

EarsKernel portableEarsKernel()
{
    return portableKernel;
}
