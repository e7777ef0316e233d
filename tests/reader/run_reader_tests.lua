-- The tests of reader/plvr_reader.lua, under whichever Lua runs this file (lua5.1, luajit):
--
--   lua5.1 tests/reader/run_reader_tests.lua [--e2e FOLDER] [--junit REPORT.xml]
--
-- It plays the table of cases.txt through real files, reads every whole document of the table
-- cut at every byte, and, with --e2e, checks every document that the component wrote during the
-- end-to-end scenarios (FOLDER/NAME.ltx with what a fresh reader must give in NAME.expected, in
-- the form of cases.txt). Prints one line per test, then "N passed, N failed"; exits non-zero on
-- any failure. --junit writes a JUnit-style report of the same counts.

local here = (arg[0]:match("^(.*)[/\\]") or ".")
local plvr_reader = dofile(here .. "/../../reader/plvr_reader.lua")
local documents = here .. "/documents/"
-- The runner's own file work, out of reach of the test that watches the reader's io.open.
local open = io.open

local function read_bytes(path)
  local file = assert(open(path, "rb"))
  local bytes = file:read("*a")
  file:close()
  return bytes
end

local function write_bytes(path, bytes)
  local file = assert(open(path, "wb"))
  file:write(bytes)
  file:close()
end

local function lines_of(text)
  local lines = {}
  for line in text:gmatch("([^\n]*)\n") do lines[#lines + 1] = (line:gsub("\r$", "")) end
  return lines
end

-- cases.txt, as a list of { name =, reads = { { file =, first =, expected = { lines } } } }.
local function load_cases(path)
  local cases = {}
  for number, line in ipairs(lines_of(read_bytes(path))) do
    if line:find("^case ") then
      cases[#cases + 1] = { name = line:sub(6), reads = {} }
    elseif line:find("^read ") then
      local file, first = line:match("^read (%S+) first (%d+)$")
      file = file or line:match("^read (%S+)$")
      local reads = assert(cases[#cases], "a read before the first case, line " .. number).reads
      reads[#reads + 1] = { file = file, first = tonumber(first), expected = {} }
    elseif line ~= "" and not line:find("^#") then
      local reads = assert(cases[#cases] and cases[#cases].reads, "no read before line " .. number)
      local expected = assert(reads[#reads], "an expectation before the first read, line " .. number).expected
      expected[#expected + 1] = line
    end
  end
  return cases
end

-- What one poll gave, in the lines of cases.txt.
local function described(news)
  local lines = {}
  if news.restarted then lines[#lines + 1] = "restart" end
  for _, event in ipairs(news.events) do
    lines[#lines + 1] = "event " .. event.id .. " " .. event.type .. " " .. event.text
  end
  lines[#lines + 1] = news.status .. " " .. news.polling_delay .. " " .. (news.suspend_input and 1 or 0)
  return lines
end

local function difference(got, expected)
  for i = 1, math.max(#got, #expected) do
    if got[i] ~= expected[i] then
      return string.format("line %d: got %q, expected %q", i, tostring(got[i]), tostring(expected[i]))
    end
  end
end

local event_file = os.tmpname()

-- Polls a fresh reader once per read, the file holding that read's bytes; fails at the first
-- poll that gives something else than expected.
local function play(reads)
  local reader = plvr_reader.new(event_file)
  for number, read in ipairs(reads) do
    if read.bytes then
      write_bytes(event_file, read.bytes)
    else
      os.remove(event_file)
    end
    local fault = difference(described(reader:poll()), read.expected)
    if fault then error(string.format("poll %d: %s", number, fault), 0) end
  end
end

-- The bytes of a read of the table: nil for "missing".
local function bytes_of(read)
  if read.file == "missing" then return nil end
  local bytes = read_bytes(documents .. read.file)
  if read.first then
    assert(read.first < #bytes, read.file .. " is not longer than " .. read.first .. " bytes")
    bytes = bytes:sub(1, read.first)
  end
  return bytes
end

-- A rewrite can be caught after any byte: every cut is skipped, and the whole document after
-- it gives what it gives alone.
local function play_every_cut(whole, expected)
  for length = 0, #whole - 1 do
    local ok, fault = pcall(play, {
      { bytes = whole:sub(1, length), expected = { "skipped 2000 0" } },
      { bytes = whole, expected = expected },
    })
    if not ok then error("cut after " .. length .. " bytes: " .. fault, 0) end
  end
end

local tests = {}
local function test(name, body) tests[#tests + 1] = { name = name, body = body } end

local cut_already = {}
for _, case in ipairs(load_cases(here .. "/cases.txt")) do
  for _, read in ipairs(case.reads) do read.bytes = bytes_of(read) end
  test(case.name, function() play(case.reads) end)
  local first = case.reads[1]
  local whole = first.bytes and not first.first and first.expected[#first.expected]:find("^complete ")
  if whole and not cut_already[first.file] then
    cut_already[first.file] = true
    test(case.name .. ", cut at every byte", function() play_every_cut(first.bytes, first.expected) end)
  end
end

-- Each poll opens the file in binary mode (a Windows C runtime would otherwise turn CR LF into
-- LF) and closes it again before returning, whatever it found.
test("each poll opens the file in binary mode and closes it", function()
  local opened = {}
  io.open = function(path, mode)
    local file = open(path, mode)
    if not file then return nil end
    local record = { mode = mode, closed = false }
    opened[#opened + 1] = record
    return setmetatable({}, { __index = function(_, key)
      if key == "close" then return function() record.closed = true; return file:close() end end
      return function(_, ...) return file[key](file, ...) end
    end })
  end
  local ok, fault = pcall(function()
    local reader = plvr_reader.new(event_file)
    for _, name in ipairs({ "worked_example.ltx", "empty.ltx", "worked_example.ltx", "bad_number.ltx" }) do
      write_bytes(event_file, read_bytes(documents .. name))
      reader:poll()
    end
  end)
  io.open = open
  if not ok then error(fault, 0) end
  assert(#opened == 4, "opened " .. #opened .. " times for 4 polls")
  for number, record in ipairs(opened) do
    assert(record.mode == "rb", "poll " .. number .. " opened with mode " .. tostring(record.mode))
    assert(record.closed, "poll " .. number .. " left the file open")
  end
end)

local function list_folder(folder, suffix)
  local names = {}
  local listing = io.popen('ls -1 "' .. folder .. '" 2>/dev/null')
  for name in listing:lines() do
    if name:sub(-#suffix) == suffix then names[#names + 1] = name:sub(1, -#suffix - 1) end
  end
  listing:close()
  table.sort(names)
  return names
end

local e2e_folder, report
local at = 1
while arg[at] do
  if arg[at] == "--e2e" then e2e_folder = arg[at + 1]
  elseif arg[at] == "--junit" then report = arg[at + 1]
  else error("unknown argument " .. arg[at] .. "\nusage: run_reader_tests.lua [--e2e FOLDER] [--junit REPORT.xml]") end
  at = at + 2
end

if e2e_folder then
  local names = list_folder(e2e_folder, ".ltx")
  test("the end-to-end scenarios left documents to read", function()
    assert(#names > 0, "no document in " .. e2e_folder)
  end)
  for _, name in ipairs(names) do
    local whole = read_bytes(e2e_folder .. "/" .. name .. ".ltx")
    local expected = lines_of(read_bytes(e2e_folder .. "/" .. name .. ".expected"))
    test("written by the component: " .. name, function() play({ { bytes = whole, expected = expected } }) end)
    test("written by the component: " .. name .. ", cut at every byte", function() play_every_cut(whole, expected) end)
  end
end

local runtime = (jit and jit.version) or _VERSION
local passed, failures = 0, {}
print("the Lua reader under " .. runtime)
for _, entry in ipairs(tests) do
  local ok, fault = pcall(entry.body)
  if ok then
    passed = passed + 1
    print("ok   " .. entry.name)
  else
    failures[#failures + 1] = { name = entry.name, fault = tostring(fault) }
    print("FAIL " .. entry.name .. "\n     " .. tostring(fault))
  end
end
os.remove(event_file)

local function xml_text(text)
  return (text:gsub("&", "&amp;"):gsub("<", "&lt;"):gsub(">", "&gt;"):gsub('"', "&quot;"))
end

if report then
  local failed_by_name = {}
  for _, failure in ipairs(failures) do failed_by_name[failure.name] = failure.fault end
  local out = {
    '<?xml version="1.0" encoding="UTF-8"?>',
    string.format('<testsuites tests="%d" failures="%d" errors="0" disabled="0" name="%s">', #tests, #failures,
      xml_text("Lua reader, " .. runtime)),
    string.format('  <testsuite name="%s" tests="%d" failures="%d" errors="0" disabled="0">', xml_text(runtime), #tests,
      #failures),
  }
  for _, entry in ipairs(tests) do
    out[#out + 1] = string.format('    <testcase name="%s" classname="lua_reader">', xml_text(entry.name))
    local fault = failed_by_name[entry.name]
    if fault then out[#out + 1] = string.format('      <failure message="%s"/>', xml_text(fault)) end
    out[#out + 1] = "    </testcase>"
  end
  out[#out + 1] = "  </testsuite>"
  out[#out + 1] = "</testsuites>"
  os.execute('mkdir -p "' .. (report:match("^(.*)/") or ".") .. '"')
  write_bytes(report, table.concat(out, "\n") .. "\n")
end

print(string.format("%d passed, %d failed", passed, #failures))
os.exit(#failures == 0 and 0 or 1)
