# The room's convolution: the reference model (real FFT, segment convolver, delay line) and the
# fast engine the plug-in runs. Included after the response bank, whose tables both select by
# position.
add_library(vevadur_engine STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RFFT.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ARFFT.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BRFFT.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectralStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DecayEnvelope.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SegmentConvolver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DelayLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReferenceRoom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplitFft.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectralKernels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RoomStage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FastRoom.cpp
)
target_include_directories(vevadur_engine PUBLIC ${PROJECT_SOURCE_DIR})
vevadur_warnings(vevadur_engine)
target_link_libraries(vevadur_engine PUBLIC vevadur_bank)
