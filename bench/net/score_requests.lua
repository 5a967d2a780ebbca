-- wrk script: each thread walks its own share of every (table, value) pair
-- the game can send, as queries or as submissions (ORBOLO_KIND), so every
-- submission has had its matching query and none repeats. The query run
-- writes how far each thread got to ORBOLO_COUNTS; the submission run stops
-- each thread there, so a fast server never submits a value nobody asked
-- about, however many requests a second it answers.
local tables = {"taeasy", "taaverage", "tahard", "tseasy", "tsaverage", "tshard"}
local pairs_in_all = 6 * 32768
local kind = os.getenv("ORBOLO_KIND") or "query"
local counts_file = os.getenv("ORBOLO_COUNTS")
local threads = {}

-- wrk waits out the whole duration even when every thread stopped early:
-- the submission run times itself with the monotonic clock.
local ffi = require("ffi")
ffi.cdef [[
typedef struct { long tv_sec; long tv_nsec; } orbolo_timespec;
int clock_gettime(int clock, orbolo_timespec* time);
]]
local function now()
    local time = ffi.new("orbolo_timespec")
    ffi.C.clock_gettime(1, time) -- CLOCK_MONOTONIC
    return tonumber(time.tv_sec) + tonumber(time.tv_nsec) * 1e-9
end

-- How many requests each query thread made, by thread number.
local function read_counts()
    local counts = {}
    local file = counts_file and io.open(counts_file, "r")
    if file then
        for line in file:lines() do
            local id, count = line:match("^(%d+) (%d+)$")
            if id then counts[tonumber(id)] = tonumber(count) end
        end
        file:close()
    end
    return counts
end

function setup(thread)
    local id = #threads
    thread:set("id", id)
    if kind == "submission" then
        -- Requests still in flight when the query run ended may not have
        -- been answered: leave a connection's worth of them out.
        local queried = read_counts()[id] or 0
        local share = math.floor(pairs_in_all / (tonumber(os.getenv("ORBOLO_THREADS")) or 1))
        local spare = tonumber(os.getenv("ORBOLO_CONNECTIONS") or "0")
        thread:set("limit", math.max(0, math.min(queried, share) - spare))
    end
    table.insert(threads, thread)
end

function init()
    step = tonumber(os.getenv("ORBOLO_THREADS") or "1")
    n = id
    made = 0
    answered = 0
end

local function path_for(as_kind)
    local t = n % 6 + 1
    local value = math.floor(n / 6) % 32768
    if t > 3 then value = value * 10 end
    if as_kind == "query" then
        return "/highscores/orbolo/ishighscore.php?gamename=" .. tables[t] .. "&submtdscore=" .. value
    end
    return "/highscores/orbolo/scoresubmitter.php?name=ANN%20LEE&score=" .. value ..
           "&computer=M&gamename=" .. tables[t]
end

function request()
    started = started or now()
    if kind == "submission" and made >= limit then
        -- Every queried value is submitted; connections still asking get a
        -- harmless query until the last submission is answered.
        return wrk.format("GET", path_for("query"))
    end
    local path = path_for(kind)
    n = n + step
    made = made + 1
    return wrk.format("GET", path)
end

function response()
    if kind ~= "submission" then return end
    answered = answered + 1
    if answered == limit then
        finished = now()
        wrk.thread:stop()
    end
end

function done()
    if kind == "query" and counts_file then
        local file = io.open(counts_file, "w")
        for id, thread in ipairs(threads) do
            file:write(string.format("%d %d\n", id - 1, thread:get("made")))
        end
        file:close()
    elseif kind == "submission" then
        -- When every thread ran out of queried values before the time was up,
        -- the rate is what they did over the time they took.
        local first, last, total = math.huge, 0, 0
        for _, thread in ipairs(threads) do
            local finished = thread:get("finished")
            if not finished then return end
            first = math.min(first, thread:get("started"))
            last = math.max(last, finished)
            total = total + thread:get("limit")
        end
        if last > first then
            print(string.format("submissions done early: %.2f req/s", total / (last - first)))
        end
    end
end
