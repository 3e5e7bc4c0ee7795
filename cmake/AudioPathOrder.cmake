# The audio thread's per-block code laid out in the order a block runs it (vst3/AudioPath.order:
# the binding's and the effect's functions first, then the engine). A host calls the plug-in
# between other work, so a block finds none of its code cached; laid out together, it comes from
# a few pages in sequence instead of from pages all over the module. It needs the gold linker's
# section ordering, so it is done only on Linux and not in the sanitizer builds; elsewhere the
# linker's own layout stays.
include(CheckLinkerFlag)
set(VEVADUR_AUDIO_PATH_ORDER ${PROJECT_SOURCE_DIR}/vst3/AudioPath.order)
set(VEVADUR_ORDER_AUDIO_PATH OFF)
if(NOT WIN32 AND NOT APPLE AND NOT VEVADUR_SANITIZE AND NOT VEVADUR_TSAN AND NOT VEVADUR_FUZZ)
  check_linker_flag(CXX "-fuse-ld=gold" VEVADUR_HAVE_GOLD)
  if(VEVADUR_HAVE_GOLD)
    set(VEVADUR_ORDER_AUDIO_PATH ON)
    # Each function in a section of its own, so the linker can place it.
    add_compile_options(-ffunction-sections)
  endif()
endif()

# Links `target` with the audio path's functions in order, where the toolchain can.
function(vevadur_order_audio_path target)
  if(VEVADUR_ORDER_AUDIO_PATH)
    target_link_options(${target} PRIVATE
      -fuse-ld=gold -Wl,--section-ordering-file=${VEVADUR_AUDIO_PATH_ORDER})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${VEVADUR_AUDIO_PATH_ORDER})
  endif()
endfunction()
