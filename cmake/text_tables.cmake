# The translated text tables. Each language's texts are kept readable in
# src/text/translations/<file>.txt and turned into the stored form of a
# built-in table at build time by text_table_tool (built here, run on the
# build machine). The pairs: file name, the function that returns the table
# (declared in src/text/translations.h).
set(TAVELO_TRANSLATIONS
  de GermanTextItems
  fr FrenchTextItems
  it ItalianTextItems
  es SpanishTextItems
  nl DutchTextItems
  pt PortugueseTextItems
  pt_BR BrazilianPortugueseTextItems
  ru RussianTextItems
  uk UkrainianTextItems
  bg BulgarianTextItems
  cs CzechTextItems
  da DanishTextItems
  hu HungarianTextItems
  ja JapaneseTextItems
  zh_CN ChineseTextItems
  ko KoreanTextItems
)
get_filename_component(TAVELO_TEXT_DIR ${CMAKE_CURRENT_LIST_DIR}/../src/text ABSOLUTE)

# tavelo_text_tables(<out var>): the generated sources, for a target of the
# calling folder.
function(tavelo_text_tables out_var)
  if(NOT TARGET tavelo_text_table_tool)
    add_executable(tavelo_text_table_tool ${TAVELO_TEXT_DIR}/tool/text_table_tool.cpp)
    target_include_directories(tavelo_text_table_tool PRIVATE ${TAVELO_TEXT_DIR}/..)
  endif()
  set(sources)
  set(pairs ${TAVELO_TRANSLATIONS})
  while(pairs)
    list(POP_FRONT pairs file function)
    set(input ${TAVELO_TEXT_DIR}/translations/${file}.txt)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/text_table_${file}.cpp)
    add_custom_command(
      OUTPUT ${output}
      COMMAND tavelo_text_table_tool ${input} ${function} ${output}
      DEPENDS tavelo_text_table_tool ${input}
      COMMENT "Text table ${file}"
      VERBATIM)
    list(APPEND sources ${output})
  endwhile()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()
