-- plvr_reader.lua: reads gamedata\config\plvr.ltx, the event file that the Plavora music player's
-- plv_duskward component writes for Duskward. Plain Lua 5.1 (LuaJIT too), io.open only: copy this
-- one file into the game's scripts.
--
--   local plvr_reader = dofile("plvr_reader.lua") -- or require("plvr_reader")
--   local reader = plvr_reader.new("gamedata\\config\\plvr.ltx")
--   -- at every poll:
--   local news = reader:poll()
--   if news.restarted then ... end             -- a new connection: ids start again at 0
--   for _, event in ipairs(news.events) do     -- the new events, oldest first
--     print(event.id, event.type, event.text)
--   end
--   -- news.polling_delay (ms) and news.suspend_input (boolean) come from the last whole
--   -- document; news.status is "complete", "skipped" or "malformed", news.reason says why.
--
-- The component rewrites the file whole at every event (cut, then one write), so a poll can find
-- it missing, empty, a single zero byte (Wine, while it cuts) or cut off anywhere: such a poll is
-- skipped and gives no events. Only a document of exactly 38 lines, each ending in CR LF, counts.

local plvr_reader = {}

local slot_count = 8
local document_lines = 6 + slot_count * 4
local default_polling_delay = 2000

-- Opened in binary mode, so that a C runtime on Windows leaves the CR LF line ends alone, and
-- closed before returning: a reader that keeps the file open can make the component's next
-- creation of the file fail. Lua's io.open shares the file for reading and writing, which the
-- component needs while it holds the file open. Returns nil when there is no file to read.
local function read_whole_file(path)
  local file = io.open(path, "rb")
  if not file then return nil end
  local bytes = file:read("*a")
  file:close()
  return bytes or ""
end

-- A CR or LF that is not part of a CR LF cannot come from the component; only a CR at the very
-- end can be the first half of a line end cut by a rewrite.
local function has_bare_line_break(bytes)
  local at = bytes:find("[\r\n]")
  while at do
    local byte = bytes:sub(at, at)
    if byte == "\n" and (at == 1 or bytes:sub(at - 1, at - 1) ~= "\r") then return true end
    if byte == "\r" and at < #bytes and bytes:sub(at + 1, at + 1) ~= "\n" then return true end
    at = bytes:find("[\r\n]", at + 1)
  end
  return false
end

-- Returns the lines, or nil and "incomplete" or "malformed" with a reason.
local function split_lines(bytes)
  if has_bare_line_break(bytes) then return nil, "malformed", "a bare CR or LF" end
  local lines, start = {}, 1
  while #lines <= document_lines do
    local line_end = bytes:find("\r\n", start, true)
    if not line_end then break end
    lines[#lines + 1] = bytes:sub(start, line_end - 1)
    start = line_end + 2
  end
  if #lines < document_lines then return nil, "incomplete", "cut off" end
  if #lines > document_lines or start <= #bytes then return nil, "malformed", "bytes after the last line" end
  return lines
end

local function parse_number(text)
  if not text or not text:find("^%-?%d+$") then return nil end
  local value = tonumber(text)
  if value < -2147483648 or value > 2147483647 then return nil end
  return value
end

-- Walks the 38 lines field by field and stops at the first fault, raised as a string.
local function parse_lines(lines)
  local next_line = 0
  local function fail(reason) error({ reason = "line " .. next_line .. ": " .. reason }, 0) end
  local function line() next_line = next_line + 1; return lines[next_line] end
  local function literal(text) if line() ~= text then fail("expected '" .. text .. "'") end end
  local function rest(prefix)
    local text = line()
    if text:sub(1, #prefix) ~= prefix then fail("expected '" .. prefix .. "'") end
    return text:sub(#prefix + 1)
  end
  local function number(prefix)
    local text = rest(prefix)
    local value = parse_number(text)
    if not value then fail("'" .. text .. "' is not a number") end
    return value
  end
  -- Texts are not escaped: a text runs from the first quote to the last one on its line, and may
  -- hold quotes, semicolons and equals signs of its own.
  local function quoted(prefix)
    local text = rest(prefix .. '"')
    if text:sub(-1) ~= '"' then fail("the text has no closing quote") end
    return text:sub(1, -2)
  end

  local document = { slots = {} }
  literal("[info]")
  if number("format_version = ") ~= 1 then fail("format_version is not 1") end
  if number("event_count = ") ~= slot_count then fail("event_count is not 8") end
  document.last_slot = number("last_slot = ")
  if document.last_slot < 0 or document.last_slot >= slot_count then fail("last_slot out of range") end
  document.polling_delay = number("polling_delay = ")
  local suspend = number("suspend_input = ")
  if suspend ~= 0 and suspend ~= 1 then fail("suspend_input is neither 0 nor 1") end
  document.suspend_input = suspend == 1
  for slot = 0, slot_count - 1 do
    literal("[event@" .. slot .. "]")
    local event = { text = quoted("text = "), type = rest("type = "), id = number("id = ") }
    if event.id == -1 then
      if event.text ~= "" or event.type ~= "" then fail("an empty slot holds a text or type") end
    elseif event.id < 0 or event.id % slot_count ~= slot then
      fail("id does not belong in its slot")
    end
    document.slots[slot] = event
  end
  return document
end

local function events_by_id(document)
  local events = {}
  for slot = 0, slot_count - 1 do
    local event = document.slots[slot]
    if event.id >= 0 then events[#events + 1] = event end
  end
  table.sort(events, function(a, b) return a.id < b.id end)
  return events
end

-- The ring holds consecutive ids, the newest in the slot that last_slot names.
local function check_ids(document, events)
  for i = 2, #events do
    if events[i].id ~= events[i - 1].id + 1 then return "the ids are not consecutive" end
  end
  if #events > 0 and document.slots[document.last_slot].id ~= events[#events].id then
    return "last_slot does not hold the newest event"
  end
end

-- Parses one read of the file. Returns the document and its events in id order, or nil with
-- "incomplete" or "malformed" and a reason.
function plvr_reader.parse(bytes)
  local lines, verdict, reason = split_lines(bytes)
  if not lines then return nil, verdict, reason end
  local ok, document = pcall(parse_lines, lines)
  if not ok then
    if type(document) == "table" then return nil, "malformed", document.reason end
    error(document, 0)
  end
  local events = events_by_id(document)
  local fault = check_ids(document, events)
  if fault then return nil, "malformed", fault end
  return document, events
end

local reader = {}
reader.__index = reader

function plvr_reader.new(path)
  return setmetatable({
    path = path,
    last_id = -1,           -- the newest event handed out since the last restart, -1: none
    known = {},             -- the recent events handed out, by id
    saw_empty_file = false, -- an empty file was read since the last whole document
    polling_delay = default_polling_delay,
    suspend_input = false,
  }, reader)
end

-- The file carries no connection number, so a new connection shows only in how a document
-- differs from the events already handed out.
function reader:numbering_restarted(events)
  if self.last_id < 0 then return false end
  -- Every slot empty happens only right after a reset.
  if #events == 0 then return true end
  local newest = events[#events].id
  if newest < self.last_id then return true end
  -- The file was emptied and then written again without a newer event: only a new connection
  -- does that, as every rewrite within one adds an event. (A read caught half way is not taken
  -- as a sign: a false restart would hand the same events out twice.)
  if newest == self.last_id and self.saw_empty_file then return true end
  for _, event in ipairs(events) do
    local known = self.known[event.id]
    if known and (known.type ~= event.type or known.text ~= event.text) then return true end
  end
  return false
end

function reader:take(document, events)
  local news = { events = {}, restarted = self:numbering_restarted(events), status = "complete" }
  if news.restarted then
    self.last_id = -1
    self.known = {}
  end
  for _, event in ipairs(events) do
    if event.id > self.last_id then
      news.events[#news.events + 1] = { id = event.id, type = event.type, text = event.text }
      self.known[event.id] = { type = event.type, text = event.text }
      self.last_id = event.id
    end
  end
  -- Older ids can no longer be in the ring together with the newest one.
  for id in pairs(self.known) do
    if id <= self.last_id - slot_count then self.known[id] = nil end
  end
  self.saw_empty_file = false
  self.polling_delay = document.polling_delay
  self.suspend_input = document.suspend_input
  return news
end

-- Reads the file once and returns what is new since the previous poll:
--   events         the new events in id order, each { id = , type = , text = }
--   restarted      true when the numbering started again (a new connection): forget old ids
--   polling_delay  how often, in milliseconds, to poll, from the last whole document
--   suspend_input  whether the game should ignore its own input, from the last whole document
--   status         "complete"; "skipped" (no file, empty, cut off: try again at the next poll);
--                  "malformed" (a whole document that breaks the format)
--   reason         why a poll was skipped or malformed
function reader:poll()
  local bytes = read_whole_file(self.path)
  local news
  if bytes == nil then
    news = { status = "skipped", reason = "no file" }
  else
    -- On success the second value holds the events in id order, else the verdict.
    local document, detail, reason = plvr_reader.parse(bytes)
    if document then
      news = self:take(document, detail)
    else
      -- Under Wine a file being cut can show a single zero byte for a moment: it is empty too.
      if bytes == "" or bytes == "\0" then
        self.saw_empty_file = true
        reason = "empty"
      end
      news = { status = detail == "incomplete" and "skipped" or detail, reason = reason }
    end
  end
  news.events = news.events or {}
  news.restarted = news.restarted or false
  news.polling_delay = self.polling_delay
  news.suspend_input = self.suspend_input
  return news
end

return plvr_reader
