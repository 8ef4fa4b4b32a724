# xfer_schema: the configuration database's schema and demo data, compiled into the program,
# and the code that creates a database file from them. Regenerated whenever a script changes.
set(XFER_SCHEMA_DIR ${PROJECT_SOURCE_DIR}/schema)
set(XFER_SCHEMA_EMBEDDED ${CMAKE_CURRENT_BINARY_DIR}/schema_sql.cpp)
add_custom_command(
    OUTPUT ${XFER_SCHEMA_EMBEDDED}
    COMMAND ${CMAKE_COMMAND}
            -DSCHEMA_SQL=${XFER_SCHEMA_DIR}/schema.sql
            -DDEMO_SQL=${XFER_SCHEMA_DIR}/demo.sql
            -DOUTPUT=${XFER_SCHEMA_EMBEDDED}
            -P ${XFER_SCHEMA_DIR}/embed.cmake
    DEPENDS ${XFER_SCHEMA_DIR}/schema.sql ${XFER_SCHEMA_DIR}/demo.sql
            ${XFER_SCHEMA_DIR}/embed.cmake
    COMMENT "Embedding schema/schema.sql and schema/demo.sql"
    VERBATIM)

add_library(xfer_schema STATIC ${CMAKE_CURRENT_LIST_DIR}/schema.cpp
                        ${CMAKE_CURRENT_LIST_DIR}/schema_tables.cpp ${XFER_SCHEMA_EMBEDDED})
target_link_libraries(xfer_schema PUBLIC xfer_runtime PRIVATE PkgConfig::SQLITE3)
