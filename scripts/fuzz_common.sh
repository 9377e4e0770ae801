# SPDX-License-Identifier: MIT
# What scripts/fuzz_smoke.sh, fuzz.sh and fuzz_coverage.sh share: the fuzz targets, the
# dictionary of each, the executions of each in the test command's short run, and the
# source files each target is for.

FUZZ_TARGETS=(fuzz_timestamp fuzz_scan fuzz_invoice fuzz_raw_reader fuzz_settings
              fuzz_command_line fuzz_import_csv fuzz_import_timeclock fuzz_import_timewarrior
              fuzz_import_watson fuzz_add_time fuzz_register fuzz_invoice_number fuzz_clients
              fuzz_conflict_names fuzz_punch_time fuzz_kept_document)

# fuzz_dict TARGET: the dictionary file in fuzz/dict.
fuzz_dict() {
  case "$1" in
    fuzz_timestamp | fuzz_scan | fuzz_invoice | fuzz_raw_reader) echo time_log.dict ;;
    fuzz_settings) echo settings.dict ;;
    fuzz_command_line) echo command_line.dict ;;
    fuzz_import_csv | fuzz_import_timeclock | fuzz_add_time) echo import_text.dict ;;
    fuzz_import_timewarrior | fuzz_import_watson) echo import_json.dict ;;
    fuzz_register) echo register.dict ;;
    fuzz_invoice_number) echo invoice_number.dict ;;
    fuzz_clients) echo clients.dict ;;
    fuzz_conflict_names) echo conflict_names.dict ;;
    fuzz_punch_time) echo punch_time.dict ;;
    fuzz_kept_document) echo kept_document.dict ;;
  esac
}

# fuzz_smoke_runs TARGET: executions in the test command, a few seconds of each under
# the sanitizers on one core.
fuzz_smoke_runs() {
  case "$1" in
    fuzz_timestamp) echo 800000 ;;
    fuzz_scan) echo 70000 ;;
    fuzz_invoice) echo 250000 ;;
    fuzz_raw_reader) echo 8000 ;;
    fuzz_settings) echo 45000 ;;
    fuzz_command_line) echo 400000 ;;
    fuzz_import_csv) echo 70000 ;;
    fuzz_import_timeclock) echo 60000 ;;
    fuzz_import_timewarrior) echo 200000 ;;
    fuzz_import_watson) echo 160000 ;;
    fuzz_add_time) echo 800000 ;;
    fuzz_register) echo 120000 ;;
    fuzz_invoice_number) echo 150000 ;;
    fuzz_clients) echo 15000 ;;
    fuzz_conflict_names) echo 200000 ;;
    fuzz_punch_time) echo 400000 ;;
    fuzz_kept_document) echo 100000 ;;
  esac
}

# fuzz_max_len TARGET: the longest input libFuzzer makes; the raw reader cuts lines at 4096
# bytes, beyond libFuzzer's default.
fuzz_max_len() {
  case "$1" in
    fuzz_raw_reader) echo 9000 ;;
    *) echo 4096 ;;
  esac
}

# fuzz_sources TARGET: the files, under src/, whose coverage the target is for.
fuzz_sources() {
  case "$1" in
    fuzz_timestamp) echo engine/time/punch_record.cpp engine/log/record_layout.cpp ;;
    fuzz_scan) echo engine/core/log_scan.cpp engine/log/record_stream.h engine/log/buffered_reader.h \
                    engine/core/log_check.cpp engine/reports/report_buckets.cpp ;;
    fuzz_invoice) echo engine/invoice/invoice.cpp engine/invoice/invoice_lines.cpp ;;
    fuzz_raw_reader) echo engine/entries/time_log_reader.cpp engine/entries/line_fields.cpp \
                          engine/entries/entry_lines.cpp engine/entries/entry_field_texts.cpp ;;
    fuzz_settings) echo settings/settings_store.cpp settings/reminder_settings.cpp ;;
    fuzz_command_line) echo cli/cli_options.cpp engine/time/iso_date.cpp ;;
    fuzz_import_csv) echo engine/interchange/import/csv_import.cpp engine/time/local_time_text.cpp ;;
    fuzz_import_timeclock) echo engine/interchange/import/timeclock_import.cpp \
                                engine/time/local_time_text.cpp ;;
    fuzz_import_timewarrior) echo engine/interchange/import/timewarrior_import.cpp \
                                  engine/interchange/import/json_entries.cpp engine/time/local_time_text.cpp ;;
    fuzz_import_watson) echo engine/interchange/import/watson_import.cpp \
                             engine/interchange/import/json_entries.cpp ;;
    fuzz_add_time) echo engine/time/local_time_text.cpp engine/interchange/pair_add.cpp \
                        engine/interchange/pair_overlap.cpp ;;
    fuzz_register) echo engine/invoice/invoice_register.cpp ;;
    fuzz_invoice_number) echo engine/invoice/invoice_number.cpp ;;
    fuzz_clients) echo settings/client_store.cpp engine/clients/client.cpp ;;
    fuzz_conflict_names) echo engine/interchange/conflict_copies.cpp ;;
    fuzz_punch_time) echo engine/time/punch_time.cpp engine/time/calendar_date.cpp ;;
    fuzz_kept_document) echo engine/invoice/kept_document.cpp ;;
  esac
}

# fuzz_workspace: the built targets (bin), the folder that keeps findings, and a scratch
# folder for new inputs, removed when the script ends.
fuzz_workspace() {
  bin=build/fuzz/fuzz
  findings=build/fuzz/findings
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -p "$findings"
}

# fuzz_known TARGET: succeeds for a target's name.
fuzz_known() {
  local t
  for t in "${FUZZ_TARGETS[@]}"; do [ "$t" = "$1" ] && return 0; done
  return 1
}
