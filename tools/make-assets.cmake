# The artwork under assets/ is committed; the generator that draws it is only needed when
# someone changes a picture, so it stays out of ordinary builds.
option(TAVLON_BUILD_ASSET_TOOL "Build tavlon-make-assets, which redraws the images in assets/" OFF)
if(TAVLON_BUILD_ASSET_TOOL)
    add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/make-assets)
endif()
