# Sourced by the benchmark scripts: replace_doc_section HEADING TEXT puts
# TEXT (which starts with HEADING) in place of the section of
# docs/benchmarks.md under that "## " heading, up to the next one, or at the
# end when there is none yet; the other sections stay where they are.
replace_doc_section() {
  local doc=docs/benchmarks.md
  SECTION=$2 awk -v heading="$1" '
    /^## / { skipping = 0 }
    $0 == heading { print ENVIRON["SECTION"]; print ""; skipping = 1; done = 1; next }
    !skipping { print }
    END { if (!done) { print ""; print ENVIRON["SECTION"] } }' "$doc" >"$doc.new"
  mv "$doc.new" "$doc"
}
