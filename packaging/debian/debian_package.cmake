# The Debian package, made by CPack from the same build as the program (see packaging/debian/build.sh):
#   cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
#   cmake --build build-deb --target quorbel quorbel-sort && (cd build-deb && cpack -G DEB)
# It holds what the install rules name: quorbel and quorbel-sort in /usr/bin, the menu entry and the
# icons. The libraries it needs are read from the executables by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME quorbel)
set(CPACK_PACKAGE_VENDOR "The Quorbel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Quorbel developers <noreply@quorbel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sorts loose personal details into a table / 把零散的个人信息整理成表格")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The lines under the summary; CPack indents them and writes an empty line as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Paste or type one person's name, gender, mobile number, e-mail, ID number,
school... in any order and with any separators, press Add, and every item
goes into its column. The table is copied as tab-separated text for a
spreadsheet, or saved as .xlsx or .csv. quorbel-sort does the same on the
command line. The field list is kept in ~/.local/share/Quorbel/.

粘贴或输入一个人的姓名、性别、手机号、邮箱、身份证号、学校……，顺序和分隔符随意，
按“添加”，每一项就会进入它所属的列。整理好的表格可以复制为制表符分隔的文本，
直接粘贴到电子表格中，也可以导出为 .xlsx 或 .csv。quorbel-sort 是命令行版本。
字段列表保存在 ~/.local/share/Quorbel/ 中。")
# Without the Chinese fonts the window's texts are boxes; either common set serves.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei")
# Qt's own texts in Chinese are built into the program when the build machine has them; otherwise
# the program reads Debian's copy at start-up, and needs its package.
if(NOT QUORBEL_QT_TRANSLATION)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qttranslations5-l10n)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorbel RENAME copyright)
set(CPACK_GENERATOR DEB)
include(CPack)
